#pragma once

// The maker's contact details shown in the About box. They are made up: the
// domain is one reserved for examples.
namespace lorvane::ui::maker {

inline constexpr wchar_t Author[] = L"林远航";
inline constexpr wchar_t Address[] = L"示例市文华路 88 号 Lorvane 工作室";
inline constexpr wchar_t Telephone[] = L"010-5555 0188";
inline constexpr wchar_t Email[] = L"mail@lv.example";
inline constexpr wchar_t WebPage[] = L"http://www.lv.example/soft.htm";

}  // namespace lorvane::ui::maker
