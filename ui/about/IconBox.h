#pragma once

namespace lorvane::ui {

// A picture box that shows the application icon at 32 x 32 pixels (scaled
// with the DPI) on a light cyan ground, and can take the focus.
inline constexpr wchar_t IconBoxClassName[] = L"LorvaneIconBox";
void RegisterIconBoxClass();

}  // namespace lorvane::ui
