#include "main/RichEditBox.h"

#include <richedit.h>

#include <new>

#include "WindowCreation.h"

#ifndef ST_PLAINTEXTONLY
#define ST_PLAINTEXTONLY 0x20
#endif

namespace lorvane::ui {
namespace {
constexpr UINT Utf16CodePage = 1200;
constexpr int LongText = 20000;
// The vertical scroll bar is always there, greyed while the text fits.
constexpr DWORD BaseStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_DISABLENOSCROLL;
}

HWND CreateRichEditBox(HWND parent, int id, DWORD extraStyle)
{
    HWND box = CreateChild(parent, MSFTEDIT_CLASS, L"", BaseStyle | extraStyle, WS_EX_CLIENTEDGE, id, L"无法创建文本框");
    SendMessageW(box, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    return box;
}

bool IsRichEditBox(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpiW(className, MSFTEDIT_CLASS) == 0;
}

HWND ReplaceLongRichEditBox(HWND box, HFONT font)
{
    if (GetWindowTextLengthW(box) <= LongText) return box;
    HWND parent = GetParent(box);
    RECT place;
    GetWindowRect(box, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const DWORD extraStyle = static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)) & ~BaseStyle;
    const bool hadFocus = GetFocus() == box;
    HWND fresh = CreateRichEditBox(parent, GetDlgCtrlID(box), extraStyle);
    SendMessageW(fresh, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(fresh, box, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE);
    DestroyWindow(box);
    if (hadFocus) SetFocus(fresh);
    return fresh;
}

std::wstring RichEditText(HWND box, bool selectionOnly)
{
    std::size_t capacity = 0;
    if (selectionOnly) {
        CHARRANGE selection{};
        SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        if (selection.cpMax <= selection.cpMin) return {};
        capacity = static_cast<std::size_t>(selection.cpMax - selection.cpMin) * 2;
    } else {
        GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, Utf16CodePage};
        const LRESULT units = SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
        if (units <= 0) return {};
        capacity = static_cast<std::size_t>(units);
    }
    // Room for CR LF in place of each paragraph mark, and the terminating zero.
    std::wstring text(capacity + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>((text.size()) * sizeof(wchar_t));
    request.flags = GT_USECRLF | (selectionOnly ? GT_SELECTION : 0);
    request.codepage = Utf16CodePage;
    const LRESULT copied = SendMessageW(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void SetRichEditText(HWND box, const std::wstring& text)
{
    SETTEXTEX request{ST_DEFAULT | ST_UNICODE | ST_PLAINTEXTONLY, Utf16CodePage};
    if (!SendMessageW(box, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(text.c_str())) &&
        !text.empty())
        throw std::bad_alloc();
}

}  // namespace lorvane::ui
