#pragma once

#include <windows.h>

#include <string>

namespace lorvane::ui {

// A plain-text, multi-line rich edit box with no length limit. The rich edit
// control keeps wrapping a long line fast, where the classic edit control
// slows down with the square of its length.
HWND CreateRichEditBox(HWND parent, int id, DWORD extraStyle);

bool IsRichEditBox(HWND window);

// Text with CR LF line ends; the selection only, or all of it.
std::wstring RichEditText(HWND box, bool selectionOnly);
// Throws std::bad_alloc when the box cannot take the text.
void SetRichEditText(HWND box, const std::wstring& text);

// Replacing a long text takes a rich edit box (Wine's at least) time that
// grows with the square of the text's length, while a new box starts empty
// at once. So a box holding a long text is replaced by a fresh one of the
// same id, place, style, font and tab position; returns the box to use.
HWND ReplaceLongRichEditBox(HWND box, HFONT font);

}  // namespace lorvane::ui
