#pragma once

#include <windows.h>

#include "TwipRect.h"

// The About box's controls with their places in twips from the top-left
// corner of its client area, in tab order.
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

struct AboutControl {
    ControlId id;
    platform::TwipRect place;
};

// Buttons and the picture first: they are the only stops of Tab.
inline constexpr AboutControl Controls[] = {
    {IdCmdOK, {4125, 2865, 1500, 345}},
    {IdPicIcon, {240, 240, 510, 510}},
    {IdCmdSysInfo, {4140, 3315, 1485, 345}},
    {IdLblDescription, {1080, 720, 4605, 570}},
    {IdLblDisclaimer, {255, 3000, 3630, 465}},
    {IdLblTitle, {1050, 120, 2685, 480}},
    {IdLblVersion, {3960, 360, 1365, 225}},
    {IdLabel1, {1080, 1440, 1335, 255}},
    {IdLabel2, {1080, 1680, 4695, 255}},
    {IdLabel3, {1080, 1920, 2535, 255}},
    {IdLabel4, {1080, 2400, 2175, 255}},
    {IdLabel5, {1080, 2160, 3495, 255}},
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
