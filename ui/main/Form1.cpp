#include "main/Form1.h"

#include <commctrl.h>

#include "Application.h"
#include "Clipboard.h"
#include "Dpi.h"
#include "ErrorReport.h"
#include "MessageBox.h"
#include "PlaceInTwips.h"
#include "main/EditContextMenu.h"
#include "main/OptionControls.h"
#include "main/RichEditBox.h"
#include "main/TableErrorMessage.h"
#include "resource.h"
#include "table/DataFiles.h"
#include "table/TableConversion.h"
#include "text/WideText.h"

namespace lorvane::ui {
namespace {

constexpr wchar_t ClassName[] = L"LorvaneForm1";
constexpr DWORD FrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD FrameExStyle = WS_EX_CONTROLPARENT;
constexpr int TableFailureExitCode = 3;

DWORD styleOf(const ControlLayout& layout, bool firstOption)
{
    switch (layout.kind) {
    case ControlKind::PushButton:
        return BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
    case ControlKind::RadioButton:
        return BS_AUTORADIOBUTTON | (firstOption ? WS_GROUP | WS_TABSTOP : 0);
    case ControlKind::CheckBox:
        // Three states, so that the greyed value can be set; the user's
        // clicks only tick and clear it (see onCommand).
        return BS_3STATE | BS_MULTILINE | WS_TABSTOP | WS_GROUP;
    case ControlKind::Label:
        return SS_LEFT | WS_GROUP;
    case ControlKind::MultiLineEdit:
        return WS_TABSTOP | WS_GROUP;
    }
    return 0;
}

// Shows the hourglass for as long as it lives.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

const wchar_t* classOf(ControlKind kind) { return kind == ControlKind::Label ? WC_STATICW : WC_BUTTONW; }

}  // namespace

Form1::Form1(Application& application) : ApplicationWindow(application) { Form_Initialize(); }

void Form1::Form_Initialize()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

int Form1::startUp()
{
    createControls();
    try {
        Form_Load();
    } catch (...) {
        // The window, never shown, goes with this object.
        platform::ShowMessage(nullptr, TableLoadFailureMessage(DefaultTablePath()), MB_OK | MB_ICONERROR);
        return TableFailureExitCode;
    }
    ShowWindow(hwnd(), SW_SHOWDEFAULT);
    UpdateWindow(hwnd());
    SetFocus(control(IdCmdCopy));
    return 0;
}

void Form1::createControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(ClassName, LoadIconW(instance, MAKEINTRESOURCEW(IDI_LORVANE)));
    createWindow(ClassName, Form1Caption().c_str(), FrameStyle, FrameExStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                 CW_USEDEFAULT, nullptr);
    HICON smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LORVANE), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));

    bool firstOption = true;
    for (const ControlLayout& layout : Form1Controls) {
        const DWORD style = styleOf(layout, firstOption);
        if (layout.kind == ControlKind::RadioButton) firstOption = false;
        if (layout.kind == ControlKind::MultiLineEdit)
            CreateRichEditBox(hwnd(), layout.id, style);
        else
            createControl(classOf(layout.kind), layout.text, style, layout.id, L"无法创建主窗口的控件");
    }
    SetRichEditText(control(IdText1), Text1Prompt);
    SendMessageW(control(IdText1), EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(control(IdOptLowerCase), BM_SETCHECK, BST_CHECKED, 0);

    const SIZE size = platform::WindowSizeForClient(platform::TwipsToPixels(Form1ClientWidthTwips, dpi()),
                                                    platform::TwipsToPixels(Form1ClientHeightTwips, dpi()),
                                                    FrameStyle, FrameExStyle, dpi());
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi());
}

void Form1::Form_Load()
{
    table_.emplace(LoadTableAndIndex(DefaultTablePath()));
}

void Form1::layOut(UINT dpi)
{
    // The controls take the new font before the old one is deleted.
    platform::Font font = platform::MessageFont(dpi);
    for (const ControlLayout& layout : Form1Controls) {
        HWND child = control(layout.id);
        PlaceInTwips(child, layout.place, dpi);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Form1::paintContent(HDC dc)
{
    const platform::SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    for (const OutlineLayout& outline : Shape1) {
        const platform::Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(outline.systemColour)));
        const platform::SelectedObject selected(dc, pen.get());
        const RECT pixels = platform::ToPixels(outline.place, dpi());
        Rectangle(dc, pixels.left, pixels.top, pixels.right, pixels.bottom);
    }
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (handleDialogFocus(message, wParam, lParam, control(IdCmdCopy))) return 0;
    switch (message) {
    case WM_COMMAND:
        if (lParam) onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return focusedButtonAsDefault();
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == control(IdText1) || reinterpret_cast<HWND>(wParam) == control(IdText2)) {
            ShowEditContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        }
        return Window::handleMessage(message, wParam, lParam);
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

// No button is the default, but Enter presses the button that has the
// focus, as Space does.
LRESULT Form1::focusedButtonAsDefault() const
{
    HWND focus = GetFocus();
    for (const ControlLayout& layout : Form1Controls)
        if (layout.kind == ControlKind::PushButton && control(layout.id) == focus)
            return MAKELRESULT(layout.id, DC_HASDEFID);
    return 0;
}

void Form1::onCommand(int id, int notification)
{
    if (notification != BN_CLICKED) return;
    switch (id) {
    case IdCommand1: Command1_Click(); break;
    case IdCheckZLSB:
        SendMessageW(control(IdCheckZLSB), BM_SETCHECK, isChecked(IdCheckZLSB) ? BST_UNCHECKED : BST_CHECKED, 0);
        CheckZLSB_Click();
        break;
    case IdOptLowerCase:
    case IdOptFirstUpperCase:
    case IdOptUpperCase: onOptionClicked(); break;
    case IdCmdCls: CmdCls_Click(); break;
    case IdCmdCopy: CmdCopy_Click(); break;
    case IdCmdExit: CmdExit_Click(); break;
    case IdCmdAbout: CmdAbout_Click(); break;
    default: break;
    }
}

// An option's handler runs when it becomes selected, not when an option that
// is already selected is clicked again.
void Form1::onOptionClicked()
{
    for (const Form1ControlId option : {IdOptLowerCase, IdOptFirstUpperCase, IdOptUpperCase}) {
        if (!isChecked(option) || option == selectedOption_) continue;
        selectedOption_ = option;
        if (option == IdOptLowerCase) OptLowerCase_Click();
        if (option == IdOptFirstUpperCase) OptFirstUpperCase_Click();
        if (option == IdOptUpperCase) OptUpperCase_Click();
        return;
    }
}

bool Form1::isChecked(Form1ControlId id) const
{
    return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1::Command1_Click() { ConvertText(); }

void Form1::ConvertText()
{
    const WaitCursor waitCursor;
    const std::wstring input = RichEditText(control(IdText1), false);
    const auto checkZLSB = static_cast<CheckState>(SendMessageW(control(IdCheckZLSB), BM_GETCHECK, 0, 0));
    const ConversionOptions options =
        ConversionOptionsFromControls(isChecked(IdOptFirstUpperCase), isChecked(IdOptUpperCase), checkZLSB);
    const std::u16string output = lorvane::ConvertText(*table_->index, AsUtf16(input), options);
    setOutput(ToWide(output));
}

void Form1::CheckZLSB_Click() { reconvertIfOutputShown(); }

void Form1::OptFirstUpperCase_Click() { reconvertIfOutputShown(); }

// Blanks or line breaks alone count as output.
void Form1::reconvertIfOutputShown()
{
    if (!RichEditText(control(IdText2), false).empty()) Command1_Click();
}

void Form1::OptLowerCase_Click() { changeOutputCase(false); }

void Form1::OptUpperCase_Click() { changeOutputCase(true); }

void Form1::changeOutputCase(bool upper)
{
    std::wstring text = RichEditText(control(IdText2), false);
    if (!text.empty()) {
        const auto length = static_cast<DWORD>(text.size());
        upper ? CharUpperBuffW(text.data(), length) : CharLowerBuffW(text.data(), length);
    }
    setOutput(text);
}

void Form1::CmdCls_Click() { setOutput(L""); }

void Form1::setOutput(const std::wstring& text)
{
    SetRichEditText(ReplaceLongRichEditBox(control(IdText2), font_.get()), text);
}

void Form1::CmdCopy_Click()
{
    try {
        platform::ClipboardSession clipboard(hwnd());
        clipboard.empty();
        std::wstring text = RichEditText(control(IdText2), true);
        if (text.empty()) text = RichEditText(control(IdText2), false);
        clipboard.setText(text);
    } catch (const platform::ClipboardError& error) {
        const std::wstring message =
            error.kind() == platform::ClipboardError::Kind::Busy
                ? std::wstring(L"剪贴板正被其他程序占用，未能复制。请稍后再试。")
                : WithSystemReason(L"未能复制到剪贴板", error.systemError());
        platform::ShowMessage(hwnd(), message, MB_OK | MB_ICONWARNING);
    }
}

void Form1::CmdExit_Click()
{
    // At once, every window with it, the About box too; no handler runs after.
    ExitProcess(0);
}

void Form1::CmdAbout_Click() { application().showAbout(); }

}  // namespace lorvane::ui
