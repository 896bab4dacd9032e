#pragma once

#include <calculator/clock_calculation.h>
#include <calculator/clock_panel.h>
#include <calculator/dividers.h>
#include <runtime/catalogue.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quenvale {

// The window as both front ends draw it: every control with its place in
// twips, its caption, tool tip and tab stop. The desktop window and the web
// page render this one table, so they cannot drift apart.

enum class ControlKind { Frame, Label, ComboBox, OptionButton, CommandButton, TextBox };

// What a control is for. Members of one role (the divider options, the result
// boxes and their labels and units) are told apart by their index within it.
enum class Role {
    InputFrame,
    ReferenceLabel,
    ReferenceBox,
    ReferenceUnit,
    FsbLabel,
    FsbBox,
    FsbUnit,
    PciFrame,
    PciDivider,
    AgpFrame,
    AgpDivider,
    CalculateButton,
    ExitButton,
    ResultFrame,
    ResultLabel,
    ResultBox,
    ResultUnit,
    CreditLine,
};

struct ControlRole {
    Role role;
    std::size_t index = 0;

    bool operator==(const ControlRole&) const = default;
};

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
    ControlRole role;
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

// The names other tables refer to a control by.
namespace control {
inline constexpr std::string_view referenceBox = "Combo1(0)";
inline constexpr std::string_view fsbBox = "Combo1(1)";
inline constexpr std::string_view pciFrame = "Frame2";
inline constexpr std::string_view agpFrame = "Frame3";
inline constexpr std::string_view calculateButton = "Command1";
inline constexpr std::string_view exitButton = "Command2";
inline constexpr std::array<std::string_view, kClockCount> resultBoxes{"Text1(0)", "Text1(1)",
                                                                       "Text1(2)"};
inline constexpr std::string_view creditLine = "Label7";
} // namespace control

// A divider option's row: its caption comes from the divider table, its frame
// from its group.
constexpr ControlRow dividerRow(std::string_view objectName, DividerGroup group, std::size_t index,
                                int left, int top, int width, int height) {
    const bool pci = group == DividerGroup::Pci;
    return {objectName,
            ControlKind::OptionButton,
            pci ? control::pciFrame : control::agpFrame,
            dividerTable(group)[index].caption,
            left,
            top,
            width,
            height,
            {pci ? Role::PciDivider : Role::AgpDivider, index}};
}

// Containers come before what they contain.
// clang-format off
inline constexpr auto kControls = std::to_array<ControlRow>({
    // object name, kind, container, caption, left, top, width, height, role, tool tip, names
    {"Frame1", ControlKind::Frame, "Form1", "入力項目", 120, 120, 3612, 1332, {Role::InputFrame}},
    {"Label2", ControlKind::Label, "Frame1", "PLL-IC REF クロック", 120, 360, 1812, 372, {Role::ReferenceLabel}, {}, control::referenceBox},
    {control::referenceBox, ControlKind::ComboBox, "Frame1", "14.318", 1920, 240, 1092, 300, {Role::ReferenceBox}, "PLL-ICに与える周波数"},
    {"Label1(0)", ControlKind::Label, "Frame1", "MHz", 3120, 360, 336, 180, {Role::ReferenceUnit}},
    {"Label3", ControlKind::Label, "Frame1", "設定するM/BのFSB", 120, 840, 1812, 372, {Role::FsbLabel}, {}, control::fsbBox},
    {control::fsbBox, ControlKind::ComboBox, "Frame1", "100", 1920, 840, 1092, 300, {Role::FsbBox}, "マザーボードで設定するFSB"},
    {"Label1(1)", ControlKind::Label, "Frame1", "MHz", 3120, 960, 336, 180, {Role::FsbUnit}},
    {control::pciFrame, ControlKind::Frame, "Form1", "FSB：PCI", 120, 1560, 1212, 1452, {Role::PciFrame}},
    dividerRow("Option1(0)", DividerGroup::Pci, 0, 240, 360, 612, 252),
    dividerRow("Option1(1)", DividerGroup::Pci, 1, 240, 720, 612, 252),
    dividerRow("Option1(2)", DividerGroup::Pci, 2, 240, 1080, 612, 252),
    {control::agpFrame, ControlKind::Frame, "Form1", "AGPシフト", 120, 3240, 1212, 1452, {Role::AgpFrame}},
    dividerRow("Option2(0)", DividerGroup::Agp, 0, 240, 360, 612, 252),
    dividerRow("Option2(1)", DividerGroup::Agp, 1, 240, 720, 612, 252),
    dividerRow("Option2(2)", DividerGroup::Agp, 2, 240, 1080, 612, 252),
    {control::calculateButton, ControlKind::CommandButton, "Form1", "計算実行", 1440, 4080, 1092, 372, {Role::CalculateButton}},
    {control::exitButton, ControlKind::CommandButton, "Form1", "終了", 2760, 4080, 1092, 372, {Role::ExitButton}},
    {"Frame4", ControlKind::Frame, "Form1", "計算結果", 1560, 1560, 2172, 2412, {Role::ResultFrame}},
    {"Label4(0)", ControlKind::Label, "Frame4", "CPUクロック", 240, 240, 924, 180, {Role::ResultLabel, 0}, {}, control::resultBoxes[0]},
    {control::resultBoxes[0], ControlKind::TextBox, "Frame4", "", 600, 480, 972, 372, {Role::ResultBox, 0}},
    {"Label5", ControlKind::Label, "Frame4", "PCIクロック", 240, 960, 852, 180, {Role::ResultLabel, 1}, {}, control::resultBoxes[1]},
    {control::resultBoxes[1], ControlKind::TextBox, "Frame4", "", 600, 1200, 972, 372, {Role::ResultBox, 1}},
    {"Label6", ControlKind::Label, "Frame4", "AGPクロック", 240, 1680, 912, 180, {Role::ResultLabel, 2}, {}, control::resultBoxes[2]},
    {control::resultBoxes[2], ControlKind::TextBox, "Frame4", "", 600, 1920, 972, 372, {Role::ResultBox, 2}},
    {"Label1(2)", ControlKind::Label, "Frame4", "MHz", 1680, 600, 336, 180, {Role::ResultUnit, 0}},
    {"Label1(3)", ControlKind::Label, "Frame4", "MHz", 1680, 1320, 336, 180, {Role::ResultUnit, 1}},
    {"Label1(4)", ControlKind::Label, "Frame4", "MHz", 1680, 2040, 336, 180, {Role::ResultUnit, 2}},
    {control::creditLine, ControlKind::Label, "Form1", "(C) Quenvale Project", 1872, 4560, 1548, 180, {Role::CreditLine}},
});
// clang-format on

// How many controls of the table play the role.
constexpr std::size_t roleCount(Role role) {
    std::size_t count = 0;
    for (const ControlRow& row : kControls) {
        count += row.role.role == role ? 1 : 0;
    }
    return count;
}

// Whether the role's members are indexed 0 to count - 1, each once.
constexpr bool indexedOnce(Role role) {
    const std::size_t count = roleCount(role);
    for (std::size_t index = 0; index < count; ++index) {
        std::size_t found = 0;
        for (const ControlRow& row : kControls) {
            found += row.role == ControlRole{role, index} ? 1 : 0;
        }
        if (found != 1) {
            return false;
        }
    }
    return true;
}

// A divider option is drawn for every divider, and nothing more.
static_assert(roleCount(Role::PciDivider) == kPciDividers.size() && indexedOnce(Role::PciDivider));
static_assert(roleCount(Role::AgpDivider) == kAgpDividers.size() && indexedOnce(Role::AgpDivider));
static_assert(roleCount(Role::ResultBox) == kClockCount && indexedOnce(Role::ResultBox));

// The object names of a role's members, by index.
template <std::size_t Count> constexpr std::array<std::string_view, Count> roleNames(Role role) {
    std::array<std::string_view, Count> names{};
    for (const ControlRow& row : kControls) {
        if (row.role.role == role && row.role.index < Count) {
            names[row.role.index] = row.objectName;
        }
    }
    return names;
}

namespace control {
inline constexpr auto pciDividers = roleNames<kPciDividers.size()>(Role::PciDivider);
inline constexpr auto agpDividers = roleNames<kAgpDividers.size()>(Role::AgpDivider);
} // namespace control

// One entry of the tab order: the role's member of that index, or, without
// one, every member of the role in index order.
struct TabStop {
    Role role;
    std::optional<std::size_t> index = std::nullopt;
};

// The order in which the controls were numbered for the keyboard; every
// control comes once. Only those that take the focus are visited.
inline constexpr auto kTabOrder = std::to_array<TabStop>({
    {Role::InputFrame},     {Role::ReferenceLabel},  {Role::ReferenceBox},   {Role::FsbLabel},
    {Role::FsbBox},         {Role::PciFrame},        {Role::PciDivider},     {Role::AgpFrame},
    {Role::AgpDivider},     {Role::CalculateButton}, {Role::ExitButton},     {Role::ResultFrame},
    {Role::ResultLabel, 0}, {Role::ResultBox, 0},    {Role::ResultLabel, 1}, {Role::ResultBox, 1},
    {Role::ResultLabel, 2}, {Role::ResultBox, 2},    {Role::ResultUnit},     {Role::ReferenceUnit},
    {Role::FsbUnit},        {Role::CreditLine},
});

// The control's place in the tab order, from 0; the order's length when
// the order leaves it out.
constexpr std::size_t tabIndex(const ControlRow& row) {
    std::size_t before = 0;
    for (const TabStop& stop : kTabOrder) {
        if (stop.role != row.role.role) {
            before += stop.index ? 1 : roleCount(stop.role);
            continue;
        }
        if (!stop.index) {
            return before + row.role.index;
        }
        if (*stop.index == row.role.index) {
            return before;
        }
        ++before;
    }
    return before;
}

// Each control's caption and tool tip in the catalogue, in kControls' order,
// found at compile time: a caption the catalogue does not hold (a number, a
// divider, a unit) reads the same in every language.
struct ControlTexts {
    Message caption;
    Message toolTip;
};
template <std::size_t... Row>
consteval std::array<ControlTexts, sizeof...(Row)> controlTexts(std::index_sequence<Row...>) {
    return {{ControlTexts{Message::orItself(kControls[Row].caption),
                          Message::orItself(kControls[Row].toolTip)}...}};
}
inline constexpr auto kControlTexts = controlTexts(std::make_index_sequence<kControls.size()>());

// A row of kControls' caption and tool tip in the language.
std::string_view captionIn(const ControlRow& row, Language language);
std::string_view toolTipIn(const ControlRow& row, Language language);

// The row of the named control; throws std::out_of_range for an unknown name.
const ControlRow& controlRow(std::string_view objectName);

// The row of the role's member; throws std::out_of_range when there is none.
const ControlRow& controlRow(ControlRole role);

// The object name of an input box's control.
std::string_view inputBoxName(InputBox box);

// Whether the kind of control takes the keyboard focus.
bool isFocusable(ControlKind kind);

// The controls that take the focus, in tab order.
std::vector<const ControlRow*> tabOrder();

// Where the word beside a hinted result (resultMark) stands, in twips
// within the results frame: on its label's line, from the label's right edge
// to the unit's, the word set against the unit's edge. Not a control of the
// original layout: nothing of it moves.
struct MarkBox {
    std::string_view objectName; // "HintMark(0)" to "HintMark(2)"
    std::string_view container;
    int left;
    int top;
    int width;
    int height;
};
MarkBox hintMarkBox(std::size_t result);

// What a field's accessible description says when there is nothing more.
inline constexpr std::string_view kUnit = "MHz";

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// A colour for a light scheme and its counterpart for a dark one: each reads
// at 4.5:1 or more on the faces of its scheme.
struct SchemeColour {
    Rgb light;
    Rgb dark;
};

// The credit line: blue, as the original draws it on its light face; a pale
// blue on a dark one.
inline constexpr SchemeColour kCreditColours{{0, 0, 255}, {0x8A, 0xB4, 0xF8}};
// Over-clock hints on a result's text, told apart by hue: dark on the white
// of the box, light on a dark desktop's box.
inline constexpr SchemeColour kCautionColours{{0xA6, 0x5F, 0x00}, {0xFF, 0xB7, 0x4D}}; // amber
inline constexpr SchemeColour kDangerColours{{0xC0, 0x00, 0x00}, {0xFF, 0x8C, 0x7A}};  // red

// The light variants, as the layout was drawn.
inline constexpr Rgb kCreditColour = kCreditColours.light;
inline constexpr Rgb kCautionColour = kCautionColours.light;
inline constexpr Rgb kDangerColour = kDangerColours.light;

// WCAG 2's contrast ratio of two colours: 1 for the same colour, 21 for black
// on white.
double contrastRatio(Rgb a, Rgb b);

// The variant that stands out more on the background the colour is drawn on,
// so that whatever scheme the desktop has, the text stays legible.
Rgb variantOn(const SchemeColour& colour, Rgb background);

// The face the layout was drawn for, by its Japanese and its English name,
// then metric-compatible substitutes, in the order to try them.
inline constexpr std::array<std::string_view, 4> kFontFamilies{"ＭＳ Ｐゴシック", "MS PGothic",
                                                               "IPAPGothic", "Noto Sans CJK JP"};
// The input and result boxes' size, and every other control's, in points.
inline constexpr double kInputFontPoints = 10.2;
inline constexpr double kControlFontPoints = 9.0;

} // namespace quenvale
