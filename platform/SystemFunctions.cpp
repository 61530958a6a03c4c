#include "SystemFunctions.h"

namespace lorvane::platform {
namespace {

template <typename Function>
void lookUp(HMODULE module, const char* name, Function& function)
{
    // Through void*: a FARPROC cast straight to another function type is
    // reported as a mismatch.
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

User32Functions lookUpUser32()
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    User32Functions functions;
    lookUp(user32, "GetDpiForWindow", functions.GetDpiForWindow);
    lookUp(user32, "AdjustWindowRectExForDpi", functions.AdjustWindowRectExForDpi);
    lookUp(user32, "SystemParametersInfoForDpi", functions.SystemParametersInfoForDpi);
    return functions;
}

Kernel32Functions lookUpKernel32()
{
    Kernel32Functions functions;
    lookUp(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", functions.SetDefaultDllDirectories);
    return functions;
}

}  // namespace

const User32Functions& User32()
{
    static const User32Functions functions = lookUpUser32();
    return functions;
}

const Kernel32Functions& Kernel32()
{
    static const Kernel32Functions functions = lookUpKernel32();
    return functions;
}

}  // namespace lorvane::platform
