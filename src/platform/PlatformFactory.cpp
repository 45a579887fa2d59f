#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"

std::unique_ptr<CPlatform> CreatePlatform(const PlatformOptions& options) {
    return std::make_unique<CHeadlessPlatform>(options);
}
