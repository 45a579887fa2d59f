#pragma once
#include "ui/Widget.h"

// A leaf that shows a sprite (the portrait of the dialogue frame).
class CImageWidget : public CWidget {};
