#pragma once

#include <objbase.h>

namespace lorvane::platform {

// COM on this thread, in a single-threaded apartment, for as long as the
// object lives. When COM cannot be had, the object holds nothing and gives
// nothing back.
class ComApartment {
public:
    ComApartment()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~ComApartment()
    {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace lorvane::platform
