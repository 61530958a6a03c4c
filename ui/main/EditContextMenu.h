#pragma once

#include <windows.h>

namespace lorvane::ui {

// The menu a text box shows on a right click or the menu key: Undo, Cut,
// Copy, Paste, Delete and Select All, each enabled when it can act. Rich edit
// boxes have none of their own. `position` is WM_CONTEXTMENU's lParam.
void ShowEditContextMenu(HWND box, LPARAM position);

}  // namespace lorvane::ui
