#pragma once
#include "platform/DrawList.h"

// Where a back buffer of backWidth x backHeight goes in an output of
// outWidth x outHeight: as large as fits with its shape kept, centred, the
// rest left as black bars.
PixelRect Letterbox(int outWidth, int outHeight, int backWidth, int backHeight);
