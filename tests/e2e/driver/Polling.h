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

inline constexpr int PressAttempts = 3;

// Presses until `done` holds, waiting up to `timeout` after each press, at
// most PressAttempts times: under Wine a click or a key sent from another
// process is now and then lost. Only for a press that may come twice, where
// `done` tells whether the one before took effect. False when none did.
template <typename Press, typename Done>
bool PressUntil(Press press, Done done, Milliseconds timeout)
{
    for (int attempt = 0; attempt < PressAttempts; ++attempt) {
        press();
        if (WaitUntil(done, timeout)) return true;
    }
    return false;
}

}  // namespace lorvane::e2e
