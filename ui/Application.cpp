#include "Application.h"

#include "DllSearch.h"
#include "ErrorReport.h"
#include "WindowCreation.h"
#include "about/frmAbout.h"
#include "main/Form1.h"
#include "main/RichEditBox.h"

namespace lorvane::ui {

// Defined here, where Form1 and frmAbout are complete.
Application::Application() = default;
Application::~Application() = default;

int Application::run()
{
    form1_ = std::make_unique<Form1>(*this);  // initialises the common controls first
    HMODULE richEdit = platform::LoadSystemLibrary(L"msftedit.dll");
    if (!richEdit) ThrowLastError(L"无法载入文本框所需的系统组件 msftedit.dll");
    richEdit_.reset(richEdit);
    const int startUpFailure = form1_->startUp();
    if (startUpFailure != 0) return startUpFailure;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (translateForWindows(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// The dialog manager gives both windows Tab, the arrow keys and the access
// keys. The main window has no cancel button: Esc does nothing there, so it
// is kept from its text boxes, which would otherwise ask the window to close.
// Tab in a text box moves on, as in a dialog's edit box, where a rich edit
// box would insert a tab; Ctrl+Tab still does that.
bool Application::translateForWindows(MSG& message)
{
    HWND main = mainWindow();
    const bool escape = (message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
                         message.message == WM_CHAR) &&
                        message.wParam == VK_ESCAPE;
    if (main && (message.hwnd == main || IsChild(main, message.hwnd))) {
        if (escape) return true;
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            IsRichEditBox(message.hwnd)) {
            SendMessageW(main, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
            return true;
        }
        return IsDialogMessageW(main, &message);
    }
    if (about_ && about_->hwnd() && IsDialogMessageW(about_->hwnd(), &message)) return true;
    return false;
}

void Application::showAbout()
{
    if (!about_ || !about_->hwnd()) {
        about_.reset();
        auto about = std::make_unique<frmAbout>(*this, hiddenOwner());
        about->load();
        about_ = std::move(about);
    }
    about_->showInFront();
}

HWND Application::hiddenOwner()
{
    if (!hiddenOwner_) {
        constexpr wchar_t className[] = L"LorvaneHiddenOwner";
        RegisterWindowClass(className, DefWindowProcW, nullptr, nullptr, nullptr);
        // Without it the About box merely gets a taskbar button of its own.
        hiddenOwner_.reset(CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
    }
    return hiddenOwner_.get();
}

HWND Application::mainWindow() const { return form1_ ? form1_->hwnd() : nullptr; }

void Application::topLevelWindowClosed()
{
    const bool mainOpen = form1_ && form1_->hwnd();
    const bool aboutOpen = about_ && about_->hwnd();
    if (!mainOpen && !aboutOpen) PostQuitMessage(0);
}

}  // namespace lorvane::ui
