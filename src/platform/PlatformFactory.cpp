#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlPlatform.h"

std::unique_ptr<CPlatform> CreatePlatform(const PlatformOptions& options) {
    if (options.headless) return std::make_unique<CHeadlessPlatform>(options);
    return std::make_unique<CSdlPlatform>(options);
}
