#pragma once

#include <string>

#include "AppInfo.h"
#include "TwipRect.h"

// The main window's controls, in tab order, with their places in twips
// (1,440 to the inch; 15 to the pixel at 96 DPI) from the top-left corner of
// the client area. Scaled to pixels with the window's DPI where applied.

namespace lorvane::ui {

enum Form1ControlId : int {
    IdCmdCopy = 101,
    IdCmdAbout,
    IdCmdCls,
    IdCmdExit,
    IdCommand1,
    IdText2,
    IdText1,
    IdOptLowerCase,
    IdOptFirstUpperCase,
    IdOptUpperCase,
    IdCheckZLSB,
    IdLabel1,
};

inline constexpr int Form1ClientWidthTwips = 6840;
inline constexpr int Form1ClientHeightTwips = 4815;

// The title, the edition and the version.
inline std::wstring Form1Caption() { return std::wstring(app::Title) + L"(无南方模糊音版) " + app::VersionMajorMinor; }
inline constexpr wchar_t Text1Prompt[] = L"快快输入文本，单击转换。\r\n";

enum class ControlKind { PushButton, MultiLineEdit, RadioButton, CheckBox, Label };

struct ControlLayout {
    Form1ControlId id;
    ControlKind kind;
    const wchar_t* text;
    platform::TwipRect place;
};

// In tab order: CmdCopy takes the focus first.
inline constexpr ControlLayout Form1Controls[] = {
    {IdCmdCopy, ControlKind::PushButton, L"复制(&C)", {1680, 4200, 975, 375}},
    {IdCmdAbout, ControlKind::PushButton, L"关于...(&a)", {5280, 3540, 1095, 375}},
    {IdCmdCls, ControlKind::PushButton, L"清  除", {240, 4200, 1095, 375}},
    {IdCmdExit, ControlKind::PushButton, L"退出(&Q)", {5280, 4200, 1095, 375}},
    {IdCommand1, ControlKind::PushButton, L"转换(&S)", {3000, 4200, 1095, 375}},
    {IdText2, ControlKind::MultiLineEdit, L"", {120, 2160, 4455, 1815}},
    {IdText1, ControlKind::MultiLineEdit, Text1Prompt, {120, 120, 4455, 1815}},
    {IdOptLowerCase, ControlKind::RadioButton, L"字母全部小写", {4920, 1560, 1575, 255}},
    {IdOptFirstUpperCase, ControlKind::RadioButton, L"首字母大写", {4920, 2520, 1215, 255}},
    {IdOptUpperCase, ControlKind::RadioButton, L"字母全部大写", {4920, 2040, 1455, 255}},
    {IdCheckZLSB, ControlKind::CheckBox, L"多音字智能识别（准确率70%）", {4920, 720, 1575, 495}},
    {IdLabel1, ControlKind::Label, L"选项：", {4920, 240, 615, 255}},
};

// The etched frame around the options: two one-pixel outlines, the second
// one pixel further right and down.
struct OutlineLayout {
    platform::TwipRect place;
    int systemColour;
};
inline constexpr OutlineLayout Shape1[] = {
    {{4800, 360, 1815, 2535}, 9},   // index 0: COLOR_CAPTIONTEXT
    {{4785, 345, 1815, 2535}, 12},  // index 1: COLOR_APPWORKSPACE
};

}  // namespace lorvane::ui
