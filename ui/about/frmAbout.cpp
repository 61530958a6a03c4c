#include "about/frmAbout.h"

#include <string>

#include "AppInfo.h"
#include "Application.h"
#include "Dpi.h"
#include "ErrorReport.h"
#include "PlaceInTwips.h"
#include "Shell.h"
#include "about/AboutLayout.h"
#include "about/IconBox.h"
#include "about/MakerContact.h"
#include "about/SysInfoLauncher.h"
#include "resource.h"
#include "sys/ProgramFolder.h"
#include "text/WideText.h"

namespace lorvane::ui {
namespace {

using namespace about;

constexpr wchar_t ClassName[] = L"LorvaneAbout";
constexpr wchar_t ControlFailure[] = L"无法创建“关于”对话框的控件";
constexpr DWORD FrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
constexpr DWORD FrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

std::wstring versionText()
{
    return L"版本 " + std::to_wstring(app::VersionMajor) + L"." + std::to_wstring(app::VersionMinor) + L"." +
           std::to_wstring(app::VersionRevision);
}

// The box's own text font: 宋体 9 pt, as its links.
constexpr platform::FontDescription TextFont{L"宋体", 9, FW_NORMAL, false, false, GB2312_CHARSET};
constexpr platform::FontDescription TitleFont{L"宋体", 24, FW_BOLD, true, false, GB2312_CHARSET};
constexpr platform::FontDescription LinkFont{L"宋体", 9, FW_NORMAL, false, true, GB2312_CHARSET};

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

ControlClass classOf(ControlKind kind)
{
    constexpr DWORD LabelStyle = SS_LEFT | SS_NOPREFIX | WS_GROUP;
    switch (kind) {
    case ControlKind::DefaultButton: return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::PushButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::Picture: return {IconBoxClassName, WS_BORDER | WS_TABSTOP | WS_GROUP};
    case ControlKind::Label: return {L"STATIC", LabelStyle};
    case ControlKind::Link: return {L"STATIC", LabelStyle | SS_NOTIFY};
    }
    return {L"STATIC", LabelStyle};
}

COLORREF textColourOf(ColourRole colour)
{
    switch (colour) {
    case ColourRole::Title: return TitleColour;
    case ColourRole::Black: return RGB(0, 0, 0);
    case ColourRole::Link: return LinkColour;
    case ColourRole::System: break;
    }
    return GetSysColor(COLOR_BTNTEXT);
}

// The table's entry for `child` of the box, or null.
const AboutControl* entryOf(HWND box, HWND child)
{
    for (const AboutControl& entry : Controls)
        if (GetDlgItem(box, entry.id) == child) return &entry;
    return nullptr;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring mailLink() { return std::wstring(L"mailto:") + maker::Email; }

}  // namespace

frmAbout::frmAbout(Application& application, HWND hiddenOwner)
    : ApplicationWindow(application), hiddenOwner_(hiddenOwner)
{
}

void frmAbout::load()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(ClassName, LoadIconW(instance, MAKEINTRESOURCEW(IDI_LORVANE)));
    RegisterIconBoxClass();
    linkCursor_ = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND));

    // The box opens at a fixed place on the screen, given for its client area.
    const UINT screenDpi = platform::DpiOf(nullptr);
    const SIZE size = platform::WindowSizeForClient(platform::TwipsToPixels(ClientWidthTwips, screenDpi),
                                                    platform::TwipsToPixels(ClientHeightTwips, screenDpi),
                                                    FrameStyle, FrameExStyle, screenDpi);
    const RECT frame = platform::FrameAroundClient(FrameStyle, FrameExStyle, screenDpi);
    const POINT client = platform::ToPixels(ScreenPlaceTwips, screenDpi);
    createWindow(ClassName, L"", FrameStyle, FrameExStyle, client.x + frame.left, client.y + frame.top, size.cx,
                 size.cy, hiddenOwner_);
    createControls();
    layOut(dpi());
    Form_Load();
}

void frmAbout::createControls()
{
    for (const AboutControl& entry : Controls) {
        const ControlClass controlClass = classOf(entry.kind);
        createControl(controlClass.name, entry.text, controlClass.style, entry.id, ControlFailure);
    }
}

void frmAbout::Form_Load()
{
    SetWindowTextW(hwnd(), (std::wstring(L"关于 ") + app::Title).c_str());
    SetWindowTextW(control(IdLblVersion), versionText().c_str());
    SetWindowTextW(control(IdLblTitle), app::Title);
}

void frmAbout::layOut(UINT dpi)
{
    // The controls take the new fonts before the old ones are deleted.
    Fonts fonts{platform::PointFont(TextFont, dpi), platform::PointFont(TitleFont, dpi),
                platform::PointFont(LinkFont, dpi), {}};
    for (const AboutControl& entry : Controls) {
        HWND child = control(entry.id);
        PlaceInTwips(child, entry.place, dpi);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(entry, dpi, fonts)), TRUE);
    }
    fonts_ = std::move(fonts);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

HFONT frmAbout::fontFor(const AboutControl& entry, UINT dpi, Fonts& fonts) const
{
    switch (entry.font) {
    case FontRole::Text: return fonts.text.get();
    case FontRole::Title: return fonts.title.get();
    case FontRole::Link: return fonts.link.get();
    case FontRole::FittedText: break;
    }
    const RECT pixels = platform::ToPixels(entry.place, dpi);
    fonts.fitted.push_back(platform::FontFittingText(TextFont, dpi, windowText(control(entry.id)),
                                                     pixels.right - pixels.left, pixels.bottom - pixels.top));
    return fonts.fitted.back().get();
}

void frmAbout::paintContent(HDC dc)
{
    for (const RuleLine& line : Line1) {
        const int width = platform::ScalePixels(line.widthPixels, dpi());
        const platform::Pen pen(CreatePen(PS_SOLID, 1, line.colour));
        const platform::SelectedObject selected(dc, pen.get());
        const POINT from = platform::ToPixels(line.fromTwips, dpi());
        const POINT to = platform::ToPixels(line.toTwips, dpi());
        // Lines of more than one pixel grow downwards, inside their bounds.
        for (int row = 0; row < width; ++row) {
            MoveToEx(dc, from.x, from.y + row, nullptr);
            LineTo(dc, to.x, from.y + row);
        }
    }
}

bool frmAbout::isLink(HWND child) const
{
    const AboutControl* entry = entryOf(hwnd(), child);
    return entry && entry->kind == ControlKind::Link;
}

LRESULT frmAbout::colourLabel(HDC dc, HWND label)
{
    const AboutControl* entry = entryOf(hwnd(), label);
    SetTextColor(dc, textColourOf(entry ? entry->colour : ColourRole::System));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void frmAbout::StartSysInfo() { LaunchSystemInformation(); }

bool frmAbout::GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::wstring& KeyVal)
{
    return ReadRegistryText(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::showInFront()
{
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

LRESULT frmAbout::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (handleDialogFocus(message, wParam, lParam, control(IdCmdOK))) return 0;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: cmdOK_Click(); break;  // OK is both the default and the cancel button
        case IdCmdSysInfo:
            if (HIWORD(wParam) == BN_CLICKED) cmdSysInfo_Click();
            break;
        case IdLabel4:
            if (HIWORD(wParam) == STN_CLICKED) Label4_Click();
            break;
        case IdLabel5:
            if (HIWORD(wParam) == STN_CLICKED) Label5_Click();
            break;
        default: break;
        }
        return 0;
    case DM_GETDEFID:
        // Enter presses System Info while it has the focus, however the
        // focus got there; OK otherwise.
        return MAKELRESULT(GetFocus() == control(IdCmdSysInfo) ? IdCmdSysInfo : IdCmdOK, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        return colourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (isLink(reinterpret_cast<HWND>(wParam)) && linkCursor_) {
            SetCursor(linkCursor_);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void frmAbout::cmdOK_Click() { DestroyWindow(hwnd()); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::Label4_Click()
{
    const std::wstring folder = Utf8ToWide(ProgramFolder());
    // "Open" here and "open" for the web page, each as given; the shell takes either.
    platform::OpenWithShell(application().mainWindow(), L"Open", mailLink(), L"", folder.c_str());
}

void frmAbout::Label5_Click()
{
    platform::OpenWithShell(application().mainWindow(), L"open", maker::WebPage, nullptr, nullptr);
}

}  // namespace lorvane::ui
