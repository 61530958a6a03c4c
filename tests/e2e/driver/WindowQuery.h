#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Polling.h"
#include "TestText.h"

namespace lorvane::e2e {

// The top-level windows that belong to process `processId`, visible or not.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// Those that are visible, of class `className` (any class when null) and,
// when `caption` is not null, with exactly that caption.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className, const wchar_t* caption);

// The direct children of `parent`, in z-order (which is the tab order).
std::vector<HWND> ChildrenOf(HWND parent);

std::wstring ClassOf(HWND window);
// The caption of a top-level window as the system keeps it, read without a
// message, so that a window being destroyed reads as empty.
std::wstring CaptionOf(HWND window);
// The window's text through WM_GETTEXT, which the system carries across
// processes.
std::wstring TextOf(HWND window);
// Under Wine a rich edit box takes a while to lay out a long text.
void SetTextOf(HWND window, const std::wstring& text, Milliseconds timeout = Milliseconds(60'000));

// The window's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND window);

// Waits until the thread that owns `button` has handled every message posted
// to it before the call: messages to one thread are handled in order, so once
// a push state posted after them shows on the button, they have been handled
// too. Twice, for the messages that handling them may have posted. Also
// returns when `gone` becomes true; throws std::runtime_error(`failure`) on
// time-out.
void DrainPostedMessages(HWND button, Milliseconds timeout, const std::function<bool()>& gone,
                         const char* failure);

}  // namespace lorvane::e2e
