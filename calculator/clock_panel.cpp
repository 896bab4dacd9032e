#include <calculator/clock_calculation.h>
#include <calculator/clock_panel.h>
#include <calculator/divider_rules.h>
#include <runtime/runtime_error.h>

#include <utility>

namespace quenvale {

void ClockPanel::load() {
    referenceList.assign(kReferencePresets.begin(), kReferencePresets.end());
    fsbList.assign(kFsbPresets.begin(), kFsbPresets.end());
    // The PCI options as a pick of the initial 100 MHz leaves them; AGP is
    // left as it starts, since that band selects no AGP option.
    applyBandRule(*this, kInitialBand);
}

void ClockPanel::inputEdited() {
    calculateEnabled = true;
}

void ClockPanel::listPicked() {
    applyFsbRules(*this);
}

void ClockPanel::dividerClicked() {
    calculateEnabled = true;
}

void ClockPanel::calculate() {
    // Everything is computed before the first result is written.
    ClockResults clocks = computeClocks(pci.selection(), agp.selection(), referenceText, fsbText);
    std::optional<Consequences> effects;
    try {
        effects = computeConsequences(referenceText);
    } catch (const RuntimeError&) {
        // A crystal of 1e34 MHz and more overflows the scaled USB clock or
        // the drift; the clocks themselves are still shown, as ever.
    }
    results = std::move(clocks.texts);
    consequences = std::move(effects);
    hints = {ClockHint::Ok, pciHint(clocks.values[PciClock]), agpHint(clocks.values[AgpClock])};
    calculateEnabled = false;
}

void ClockPanel::exit() {
    exitRequested = true;
}

void ClockPanel::editInput(InputBox box, std::string text) {
    inputText(box) = std::move(text);
    inputEdited();
}

void ClockPanel::pickListItem(InputBox box, std::size_t index) {
    inputText(box) = list(box).at(index);
    listPicked();
}

bool ClockPanel::clickDivider(DividerGroup group, std::size_t index) {
    OptionGroup& options = dividers(group);
    if (!options.isEnabled(index)) {
        return false;
    }
    options.select(index);
    dividerClicked();
    return true;
}

std::string& ClockPanel::inputText(InputBox box) {
    return box == InputBox::Reference ? referenceText : fsbText;
}

const std::string& ClockPanel::inputText(InputBox box) const {
    return box == InputBox::Reference ? referenceText : fsbText;
}

const std::vector<std::string>& ClockPanel::list(InputBox box) const {
    return box == InputBox::Reference ? referenceList : fsbList;
}

OptionGroup& ClockPanel::dividers(DividerGroup group) {
    return group == DividerGroup::Pci ? pci : agp;
}

const OptionGroup& ClockPanel::dividers(DividerGroup group) const {
    return group == DividerGroup::Pci ? pci : agp;
}

} // namespace quenvale
