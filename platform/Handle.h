#pragma once

#include <windows.h>

#include <utility>

namespace lorvane::platform {

// Owns one handle and gives it back to the system when it goes. `Traits`
// names the handle's type, the value that stands for no handle and the call
// that gives one back. Movable, not copyable.
template <typename Traits>
class Handle {
public:
    using Type = typename Traits::Type;

    Handle() = default;
    explicit Handle(Type handle) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : handle_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    Type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::none(); }

    // Gives the handle up without closing it.
    Type release() { return std::exchange(handle_, Traits::none()); }
    void reset(Type handle = Traits::none())
    {
        if (handle_ != Traits::none()) Traits::close(handle_);
        handle_ = handle;
    }

private:
    Type handle_ = Traits::none();
};

template <typename T, auto Close>
struct NullIsNone {
    using Type = T;
    static Type none() { return nullptr; }
    static void close(Type handle) { Close(handle); }
};

// Kernel objects: processes, threads, files.
using KernelHandle = Handle<NullIsNone<HANDLE, CloseHandle>>;
using GlobalMemory = Handle<NullIsNone<HGLOBAL, GlobalFree>>;
using Menu = Handle<NullIsNone<HMENU, DestroyMenu>>;
using Icon = Handle<NullIsNone<HICON, DestroyIcon>>;
using RegistryHandle = Handle<NullIsNone<HKEY, RegCloseKey>>;
using OwnedWindow = Handle<NullIsNone<HWND, DestroyWindow>>;
using Library = Handle<NullIsNone<HMODULE, FreeLibrary>>;

}  // namespace lorvane::platform
