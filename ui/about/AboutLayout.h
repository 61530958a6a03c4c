#pragma once

#include <windows.h>

#include "JoinedText.h"
#include "TwipRect.h"
#include "about/MakerContact.h"

// The About box's controls, in tab order, with their texts, their places in
// twips from the top-left corner of its client area, their fonts and their
// colours.
namespace lorvane::ui::about {

enum ControlId : int {
    IdCmdOK = IDOK,  // also what Enter and Esc press
    IdPicIcon = 201,
    IdCmdSysInfo,
    IdLblDescription,
    IdLblDisclaimer,
    IdLblTitle,
    IdLblVersion,
    IdLabel1,
    IdLabel2,
    IdLabel3,
    IdLabel4,
    IdLabel5,
};

inline constexpr int ClientWidthTwips = 5925;
inline constexpr int ClientHeightTwips = 3810;
inline constexpr POINT ScreenPlaceTwips = {2340, 1935};

inline constexpr wchar_t DescriptionText[] =
    L"    本软件能将汉语转换成拼音，并支持大小写转换。广泛适用于打字排版行业。"
    L"如果用户需要包含南方模糊间的版本，请与作者联系。";
inline constexpr wchar_t DisclaimerText[] = L"本软件为免费软件，欢迎复制和传播，但请保持软件完整、不作修改。";

inline constexpr auto AuthorText = JoinedText(L"作者：", maker::Author);
inline constexpr auto AddressText = JoinedText(L"地址：", maker::Address);
inline constexpr auto TelephoneText = JoinedText(L"电话：", maker::Telephone, L"（传真）");
inline constexpr auto EmailText = JoinedText(L"E－mail:", maker::Email);
inline constexpr auto WebPageText = JoinedText(L"URL：", maker::WebPage);

// A link is a label that takes clicks and shows the hand over it.
enum class ControlKind { DefaultButton, PushButton, Picture, Label, Link };
// The box's text font, 宋体 9 pt; the title's; the links'; and the text font
// made smaller, as far as it must, for a long text to fit its label.
enum class FontRole { Text, Title, Link, FittedText };
// The system's text colour, the title's, black, and the links' blue.
enum class ColourRole { System, Title, Black, Link };

struct AboutControl {
    ControlId id;
    ControlKind kind;
    const wchar_t* text;
    platform::TwipRect place;
    FontRole font;
    ColourRole colour;
};

// Buttons and the picture first: they are the only stops of Tab. The title
// and the version are written when the box loads.
inline constexpr AboutControl Controls[] = {
    {IdCmdOK, ControlKind::DefaultButton, L"确定", {4125, 2865, 1500, 345}, FontRole::Text, ColourRole::System},
    {IdPicIcon, ControlKind::Picture, L"", {240, 240, 510, 510}, FontRole::Text, ColourRole::System},
    {IdCmdSysInfo, ControlKind::PushButton, L"系统信息(&S)...", {4140, 3315, 1485, 345}, FontRole::Text,
     ColourRole::System},
    {IdLblDescription, ControlKind::Label, DescriptionText, {1080, 720, 4605, 570}, FontRole::FittedText,
     ColourRole::Black},
    {IdLblDisclaimer, ControlKind::Label, DisclaimerText, {255, 3000, 3630, 465}, FontRole::FittedText,
     ColourRole::Black},
    {IdLblTitle, ControlKind::Label, L"", {1050, 120, 2685, 480}, FontRole::Title, ColourRole::Title},
    {IdLblVersion, ControlKind::Label, L"", {3960, 360, 1365, 225}, FontRole::Text, ColourRole::System},
    {IdLabel1, ControlKind::Label, AuthorText.data(), {1080, 1440, 1335, 255}, FontRole::Text, ColourRole::System},
    {IdLabel2, ControlKind::Label, AddressText.data(), {1080, 1680, 4695, 255}, FontRole::Text, ColourRole::System},
    {IdLabel3, ControlKind::Label, TelephoneText.data(), {1080, 1920, 2535, 255}, FontRole::Text,
     ColourRole::System},
    {IdLabel4, ControlKind::Link, EmailText.data(), {1080, 2400, 2175, 255}, FontRole::Link, ColourRole::Link},
    {IdLabel5, ControlKind::Link, WebPageText.data(), {1080, 2160, 3495, 255}, FontRole::Link, ColourRole::Link},
};

// The etched rule: a grey line and, one pixel below, a white one.
struct RuleLine {
    POINT fromTwips;
    POINT toTwips;
    COLORREF colour;
    int widthPixels;
};
inline constexpr RuleLine Line1[] = {
    {{225, 2700}, {5774, 2700}, RGB(255, 255, 255), 2},  // index 0
    {{210, 2685}, {5774, 2685}, RGB(128, 128, 128), 1},  // index 1
};

inline constexpr COLORREF PictureBackground = RGB(192, 255, 255);
inline constexpr COLORREF TitleColour = RGB(192, 0, 192);
inline constexpr COLORREF LinkColour = RGB(0, 0, 255);
inline constexpr int PictureIconPixels = 32;

}  // namespace lorvane::ui::about
