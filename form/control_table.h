#pragma once

#include <calculator/clock_panel.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quenvale {

// The window as both front ends draw it: every control with its place in
// twips, its caption, tool tip and tab stop. The desktop window and the web
// page render this one table, so they cannot drift apart.

enum class ControlKind { Frame, Label, ComboBox, OptionButton, CommandButton, TextBox };

// One control of the window as it was laid out: positions in twips relative
// to the client area of its container ("Form1" is the window itself).
struct ControlRow {
    // The control's name in the original layout; front ends give it to the
    // control as its object name (or element id) so that tests and tools
    // find it.
    std::string_view objectName;
    ControlKind kind;
    std::string_view container;
    std::string_view caption; // caption, or the initial text of an input
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    std::string_view toolTip = {};
    // For a label: the object name of the field it names, if any.
    std::string_view labelFor = {};
};

// The window's client area, in twips; 15 twips make a pixel at 96 dpi.
inline constexpr int kClientWidthTwips = 3948;
inline constexpr int kClientHeightTwips = 4836;
inline constexpr int kTwipsPerPixel = 15;

inline constexpr std::string_view kWindowName = "Form1";
inline constexpr std::string_view kWindowTitle = "Quenvale";

// The controls the program works with, by their role.
namespace control {
inline constexpr std::string_view referenceBox = "Combo1(0)";
inline constexpr std::string_view fsbBox = "Combo1(1)";
inline constexpr std::array<std::string_view, 3> pciDividers{"Option1(0)", "Option1(1)",
                                                             "Option1(2)"};
inline constexpr std::array<std::string_view, 3> agpDividers{"Option2(0)", "Option2(1)",
                                                             "Option2(2)"};
inline constexpr std::string_view calculateButton = "Command1";
inline constexpr std::string_view exitButton = "Command2";
inline constexpr std::array<std::string_view, 3> resultBoxes{"Text1(0)", "Text1(1)", "Text1(2)"};
inline constexpr std::string_view creditLine = "Label7";
} // namespace control

// Containers come before what they contain.
// clang-format off
inline constexpr std::array<ControlRow, 28> kControls{{
    // object name, kind, container, caption, left, top, width, height, tab index, tool tip, names
    {"Frame1", ControlKind::Frame, "Form1", "入力項目", 120, 120, 3612, 1332, 0},
    {"Label2", ControlKind::Label, "Frame1", "PLL-IC REF クロック", 120, 360, 1812, 372, 1, {}, control::referenceBox},
    {control::referenceBox, ControlKind::ComboBox, "Frame1", "14.318", 1920, 240, 1092, 300, 2, "PLL-ICに与える周波数"},
    {"Label1(0)", ControlKind::Label, "Frame1", "MHz", 3120, 360, 336, 180, 25},
    {"Label3", ControlKind::Label, "Frame1", "設定するM/BのFSB", 120, 840, 1812, 372, 3, {}, control::fsbBox},
    {control::fsbBox, ControlKind::ComboBox, "Frame1", "100", 1920, 840, 1092, 300, 4, "マザーボードで設定するFSB"},
    {"Label1(1)", ControlKind::Label, "Frame1", "MHz", 3120, 960, 336, 180, 26},
    {"Frame2", ControlKind::Frame, "Form1", "FSB：PCI", 120, 1560, 1212, 1452, 5},
    {control::pciDividers[0], ControlKind::OptionButton, "Frame2", "1/2", 240, 360, 612, 252, 6},
    {control::pciDividers[1], ControlKind::OptionButton, "Frame2", "1/3", 240, 720, 612, 252, 7},
    {control::pciDividers[2], ControlKind::OptionButton, "Frame2", "1/4", 240, 1080, 612, 252, 8},
    {"Frame3", ControlKind::Frame, "Form1", "AGPシフト", 120, 3240, 1212, 1452, 9},
    {control::agpDividers[0], ControlKind::OptionButton, "Frame3", "1/1", 240, 360, 612, 252, 10},
    {control::agpDividers[1], ControlKind::OptionButton, "Frame3", "2/3", 240, 720, 612, 252, 11},
    {control::agpDividers[2], ControlKind::OptionButton, "Frame3", "1/2", 240, 1080, 612, 252, 12},
    {control::calculateButton, ControlKind::CommandButton, "Form1", "計算実行", 1440, 4080, 1092, 372, 13},
    {control::exitButton, ControlKind::CommandButton, "Form1", "終了", 2760, 4080, 1092, 372, 14},
    {"Frame4", ControlKind::Frame, "Form1", "計算結果", 1560, 1560, 2172, 2412, 15},
    {"Label4(0)", ControlKind::Label, "Frame4", "CPUクロック", 240, 240, 924, 180, 16, {}, control::resultBoxes[0]},
    {control::resultBoxes[0], ControlKind::TextBox, "Frame4", "", 600, 480, 972, 372, 17},
    {"Label5", ControlKind::Label, "Frame4", "PCIクロック", 240, 960, 852, 180, 18, {}, control::resultBoxes[1]},
    {control::resultBoxes[1], ControlKind::TextBox, "Frame4", "", 600, 1200, 972, 372, 19},
    {"Label6", ControlKind::Label, "Frame4", "AGPクロック", 240, 1680, 912, 180, 20, {}, control::resultBoxes[2]},
    {control::resultBoxes[2], ControlKind::TextBox, "Frame4", "", 600, 1920, 972, 372, 21},
    {"Label1(2)", ControlKind::Label, "Frame4", "MHz", 1680, 600, 336, 180, 22},
    {"Label1(3)", ControlKind::Label, "Frame4", "MHz", 1680, 1320, 336, 180, 23},
    {"Label1(4)", ControlKind::Label, "Frame4", "MHz", 1680, 2040, 336, 180, 24},
    {control::creditLine, ControlKind::Label, "Form1", "(C) Quenvale Project", 1872, 4560, 1548, 180, 27},
}};
// clang-format on

// The row of the named control; throws std::out_of_range for an unknown name.
const ControlRow& controlRow(std::string_view objectName);

// The object name of an input box's control.
std::string_view inputBoxName(InputBox box);

// Whether the kind of control takes the keyboard focus.
bool isFocusable(ControlKind kind);

// The controls that take the focus, in tab order.
std::vector<const ControlRow*> tabOrder();

// What a field's accessible description says when there is nothing more.
inline constexpr std::string_view kUnit = "MHz";

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The credit line is blue.
inline constexpr Rgb kCreditColour{0, 0, 255};
// Over-clock hints on a result's text: dark enough to read on the white of
// the box (a contrast above 4.5:1), and told apart by hue.
inline constexpr Rgb kCautionColour{0xA6, 0x5F, 0x00}; // amber
inline constexpr Rgb kDangerColour{0xC0, 0x00, 0x00};  // red

// The face the layout was drawn for, by its Japanese and its English name,
// then metric-compatible substitutes, in the order to try them.
inline constexpr std::array<std::string_view, 4> kFontFamilies{"ＭＳ Ｐゴシック", "MS PGothic",
                                                               "IPAPGothic", "Noto Sans CJK JP"};
// The input and result boxes' size, and every other control's, in points.
inline constexpr double kInputFontPoints = 10.2;
inline constexpr double kControlFontPoints = 9.0;

} // namespace quenvale
