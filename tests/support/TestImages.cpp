#include "support/TestImages.h"

#include <functional>

std::vector<std::string> CTestImages::FilesOf(int number) {
    switch (number) {
        case 0:
            return {"image/genkan.png"};
        case 1:
            return {"image/walk00.png",  "image/walk01.png",  "image/walk02.png",
                    "image/walkb00.png", "image/walkb01.png", "image/walkb02.png",
                    "image/walkc00.png", "image/walkc01.png", "image/walkc02.png",
                    "image/walkd00.png", "image/walkd01.png", "image/walkd02.png"};
        case 2:
            return {"image/oneechanS.png"};
        case 3:
            return {"image/imouto.png"};
        case 4:
            return {"image/rouka.png"};
        case 5:
            return {"image/heya0.png"};
        case 6:
            return {"image/oneechan.png"};
        case 1000:
            return {"image/m0.png", "image/m1.png", "image/m2.png", "image/m3.png"};
        case 1001:
            return {"image/dia.png"};
        case 2001:
            return {"image/magic.png"};
        case 2002:
            return {"image/end.png"};
        case 2003:
            return {"image/pc01.png"};
        case 2004:
            return {"image/pc02.png"};
        case 3000:
            return {"image/tachie-imouto.png"};
        case 3001:
            return {"image/tachie-oneechan.png"};
        default:
            return {};
    }
}

uint32_t CTestImages::ColorOf(const std::string& file) {
    return 0xFF000000u | (static_cast<uint32_t>(std::hash<std::string>{}(file)) & 0x00FFFFFFu);
}
