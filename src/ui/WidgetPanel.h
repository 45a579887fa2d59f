#pragma once
#include "ui/WidgetContainer.h"

// A plain container: the base of framed panels such as the dialogue frame.
class CWidgetPanel : public CWidgetContainer {};
