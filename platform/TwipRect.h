#pragma once

namespace lorvane::platform {

// A control's place in twips (1,440 to the inch; 15 to the pixel at 96 DPI)
// from the top-left corner of its window's client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

}  // namespace lorvane::platform
