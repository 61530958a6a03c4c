#pragma once

#include <array>
#include <cstddef>

namespace lorvane::ui {

// String literals joined at compile time, for a constant table that holds
// texts as `const wchar_t*` although they are written from parts. The result
// is an array ending in a zero; its data() is the text.
template <std::size_t... Sizes>
constexpr auto JoinedText(const wchar_t (&... parts)[Sizes])
{
    std::array<wchar_t, (Sizes + ...) - sizeof...(Sizes) + 1> joined{};
    std::size_t end = 0;
    auto append = [&](const wchar_t* part, std::size_t size) {
        for (std::size_t at = 0; at + 1 < size; ++at) joined[end++] = part[at];
    };
    (append(parts, Sizes), ...);
    return joined;
}

}  // namespace lorvane::ui
