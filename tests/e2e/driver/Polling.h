#pragma once

#include <windows.h>

#include <chrono>

namespace lorvane::e2e {

using Milliseconds = std::chrono::milliseconds;

// Lorvane runs in another process: its effects are awaited, not assumed.
template <typename Condition>
bool WaitUntil(Condition condition, Milliseconds timeout, Milliseconds pause = Milliseconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(static_cast<DWORD>(pause.count()));
    }
}

}  // namespace lorvane::e2e
