#pragma once

#include <array>
#include <string_view>

namespace quenvale {

enum class ControlKind { Frame, Label, ComboBox, OptionButton, CommandButton, TextBox };

// One control of the window as it was laid out: positions in twips relative
// to the client area of its container ("Form1" is the window itself).
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view container;
    std::string_view caption; // caption, or the initial text of an input
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

// The window's client area, in twips.
inline constexpr int kClientWidthTwips = 3948;
inline constexpr int kClientHeightTwips = 4836;

inline constexpr std::string_view kWindowName = "Form1";
inline constexpr std::string_view kWindowTitle = "Quenvale";

// Containers come before what they contain.
inline constexpr std::array<ControlRow, 28> kControls{{
    {"Frame1", ControlKind::Frame, "Form1", "入力項目", 120, 120, 3612, 1332, 0},
    {"Label2", ControlKind::Label, "Frame1", "PLL-IC REF クロック", 120, 360, 1812, 372, 1},
    {"Combo1(0)", ControlKind::ComboBox, "Frame1", "14.318", 1920, 240, 1092, 300, 2},
    {"Label1(0)", ControlKind::Label, "Frame1", "MHz", 3120, 360, 336, 180, 25},
    {"Label3", ControlKind::Label, "Frame1", "設定するM/BのFSB", 120, 840, 1812, 372, 3},
    {"Combo1(1)", ControlKind::ComboBox, "Frame1", "100", 1920, 840, 1092, 300, 4},
    {"Label1(1)", ControlKind::Label, "Frame1", "MHz", 3120, 960, 336, 180, 26},
    {"Frame2", ControlKind::Frame, "Form1", "FSB：PCI", 120, 1560, 1212, 1452, 5},
    {"Option1(0)", ControlKind::OptionButton, "Frame2", "1/2", 240, 360, 612, 252, 6},
    {"Option1(1)", ControlKind::OptionButton, "Frame2", "1/3", 240, 720, 612, 252, 7},
    {"Option1(2)", ControlKind::OptionButton, "Frame2", "1/4", 240, 1080, 612, 252, 8},
    {"Frame3", ControlKind::Frame, "Form1", "AGPシフト", 120, 3240, 1212, 1452, 9},
    {"Option2(0)", ControlKind::OptionButton, "Frame3", "1/1", 240, 360, 612, 252, 10},
    {"Option2(1)", ControlKind::OptionButton, "Frame3", "2/3", 240, 720, 612, 252, 11},
    {"Option2(2)", ControlKind::OptionButton, "Frame3", "1/2", 240, 1080, 612, 252, 12},
    {"Command1", ControlKind::CommandButton, "Form1", "計算実行", 1440, 4080, 1092, 372, 13},
    {"Command2", ControlKind::CommandButton, "Form1", "終了", 2760, 4080, 1092, 372, 14},
    {"Frame4", ControlKind::Frame, "Form1", "計算結果", 1560, 1560, 2172, 2412, 15},
    {"Label4(0)", ControlKind::Label, "Frame4", "CPUクロック", 240, 240, 924, 180, 16},
    {"Text1(0)", ControlKind::TextBox, "Frame4", "", 600, 480, 972, 372, 17},
    {"Label5", ControlKind::Label, "Frame4", "PCIクロック", 240, 960, 852, 180, 18},
    {"Text1(1)", ControlKind::TextBox, "Frame4", "", 600, 1200, 972, 372, 19},
    {"Label6", ControlKind::Label, "Frame4", "AGPクロック", 240, 1680, 912, 180, 20},
    {"Text1(2)", ControlKind::TextBox, "Frame4", "", 600, 1920, 972, 372, 21},
    {"Label1(2)", ControlKind::Label, "Frame4", "MHz", 1680, 600, 336, 180, 22},
    {"Label1(3)", ControlKind::Label, "Frame4", "MHz", 1680, 1320, 336, 180, 23},
    {"Label1(4)", ControlKind::Label, "Frame4", "MHz", 1680, 2040, 336, 180, 24},
    {"Label7", ControlKind::Label, "Form1", "(C) Quenvale Project", 1872, 4560, 1548, 180, 27},
}};

// The row of the named control; throws std::out_of_range for an unknown name.
const ControlRow& controlRow(std::string_view name);

} // namespace quenvale
