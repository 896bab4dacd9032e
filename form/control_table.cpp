#include <form/control_table.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace quenvale {

const ControlRow& controlRow(std::string_view objectName) {
    const auto found =
        std::find_if(kControls.begin(), kControls.end(),
                     [objectName](const ControlRow& row) { return row.objectName == objectName; });
    if (found == kControls.end()) {
        throw std::out_of_range("no control named " + std::string(objectName));
    }
    return *found;
}

const ControlRow& controlRow(ControlRole role) {
    const auto found = std::find_if(kControls.begin(), kControls.end(),
                                    [role](const ControlRow& row) { return row.role == role; });
    if (found == kControls.end()) {
        throw std::out_of_range("no control plays that role");
    }
    return *found;
}

std::string_view inputBoxName(InputBox box) {
    return box == InputBox::Reference ? control::referenceBox : control::fsbBox;
}

bool isFocusable(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::OptionButton ||
           kind == ControlKind::CommandButton || kind == ControlKind::TextBox;
}

std::vector<const ControlRow*> tabOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : kControls) {
        if (isFocusable(row.kind)) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow* a, const ControlRow* b) { return tabIndex(*a) < tabIndex(*b); });
    return focusable;
}

namespace {

// The texts of a row of kControls, which every caller's row is.
const ControlTexts& textsOf(const ControlRow& row) {
    return kControlTexts.at(static_cast<std::size_t>(&row - kControls.data()));
}

} // namespace

std::string_view captionIn(const ControlRow& row, Language language) {
    return textsOf(row).caption.in(language);
}

std::string_view toolTipIn(const ControlRow& row, Language language) {
    return textsOf(row).toolTip.in(language);
}

MarkBox hintMarkBox(std::size_t result) {
    static constexpr std::array<std::string_view, kClockCount> kNames{
        "HintMark(0)", "HintMark(1)", "HintMark(2)"};
    const ControlRow& label = controlRow({Role::ResultLabel, result});
    const ControlRow& unit = controlRow({Role::ResultUnit, result});
    const int left = label.left + label.width;
    return {.objectName = kNames.at(result),
            .container = label.container,
            .left = left,
            .top = label.top,
            .width = unit.left + unit.width - left,
            .height = label.height};
}

namespace {

// WCAG 2's relative luminance: each sRGB channel made linear, then weighed
// by how bright the eye finds it.
double luminance(Rgb colour) {
    const auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

} // namespace

double contrastRatio(Rgb a, Rgb b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

Rgb variantOn(const SchemeColour& colour, Rgb background) {
    return contrastRatio(colour.dark, background) > contrastRatio(colour.light, background)
               ? colour.dark
               : colour.light;
}

} // namespace quenvale
