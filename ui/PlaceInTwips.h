#pragma once

#include <windows.h>

#include "Dpi.h"
#include "TwipRect.h"

namespace lorvane::ui {

inline void PlaceInTwips(HWND control, const TwipRect& place, UINT dpi)
{
    MoveWindow(control, platform::TwipsToPixels(place.left, dpi), platform::TwipsToPixels(place.top, dpi),
               platform::TwipsToPixels(place.width, dpi), platform::TwipsToPixels(place.height, dpi), TRUE);
}

}  // namespace lorvane::ui
