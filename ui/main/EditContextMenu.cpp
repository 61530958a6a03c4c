#include "main/EditContextMenu.h"

#include <richedit.h>

#include "Handle.h"

namespace lorvane::ui {
namespace {

enum Command : UINT { Undo = 1, Cut, Copy, Paste, Delete, SelectAll };

}  // namespace

void ShowEditContextMenu(HWND box, LPARAM position)
{
    const platform::Menu menu(CreatePopupMenu());
    if (!menu.get()) return;
    CHARRANGE selection{};
    SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMax > selection.cpMin;
    const bool hasText = GetWindowTextLengthW(box) > 0;
    auto add = [&](Command command, const wchar_t* text, bool enabled) {
        AppendMenuW(menu.get(), static_cast<UINT>(MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED)), command, text);
    };
    add(Undo, L"撤销(&U)", SendMessageW(box, EM_CANUNDO, 0, 0) != 0);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(Cut, L"剪切(&T)", selected);
    add(Copy, L"复制(&C)", selected);
    add(Paste, L"粘贴(&P)", SendMessageW(box, EM_CANPASTE, CF_UNICODETEXT, 0) != 0);
    add(Delete, L"删除(&D)", selected);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(SelectAll, L"全选(&A)", hasText);

    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) {
        // From the keyboard: at the caret.
        POINTL caret{};
        SendMessageW(box, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), selection.cpMax);
        at = {caret.x, caret.y};
        ClientToScreen(box, &at);
    }
    SetFocus(box);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y,
                                                         0, GetParent(box), nullptr));
    switch (chosen) {
    case Undo: SendMessageW(box, EM_UNDO, 0, 0); break;
    case Cut: SendMessageW(box, WM_CUT, 0, 0); break;
    case Copy: SendMessageW(box, WM_COPY, 0, 0); break;
    case Paste: SendMessageW(box, EM_PASTESPECIAL, CF_UNICODETEXT, 0); break;
    case Delete: SendMessageW(box, WM_CLEAR, 0, 0); break;
    case SelectAll: SendMessageW(box, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

}  // namespace lorvane::ui
