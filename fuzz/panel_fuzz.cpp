// Drives the panel through arbitrary sequences of user gestures and checks,
// after every one, the promises the window relies on: options stay one per
// group, results and their hints change only on a successful calculation and
// then match the inputs, a failing action changes nothing, and the calculate
// button is armed after every change and disarmed after a calculation.

#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/divider_rules.h>
#include <runtime/parse_single.h>
#include <runtime/runtime_error.h>

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

namespace {

using namespace quenvale;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

InputBox anyBox(FuzzedDataProvider& input) {
    return input.ConsumeBool() ? InputBox::Reference : InputBox::Fsb;
}

// What the band of the FSB text leaves available after a successful pick.
void requireBand(const ClockPanel& panel) {
    const float fsb = parseSingle(panel.fsbText);
    const std::size_t band = fsb < 100 ? 0 : fsb <= 134 ? 1 : 2;
    require(panel.pci.selection() == band);
    require(panel.pci.isEnabled(0) == (band == 0));
    require(panel.pci.isEnabled(1) == (band == 1));
    require(panel.pci.isEnabled(2) == (band != 0));
    if (band == 2) {
        require(panel.agp.selection() == 2U);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    ClockPanel panel;
    panel.load();

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const ClockPanel before = panel;
        bool failed = false;
        const int action = input.ConsumeIntegralInRange(0, 3);
        try {
            switch (action) {
            case 0: {
                const InputBox box = anyBox(input);
                panel.editInput(box, input.ConsumeRandomLengthString(48));
                require(panel.calculateEnabled);
                break;
            }
            case 1: {
                const InputBox box = anyBox(input);
                const auto index =
                    input.ConsumeIntegralInRange<std::size_t>(0, panel.list(box).size() - 1);
                panel.pickListItem(box, index);
                require(panel.calculateEnabled);
                requireBand(panel);
                break;
            }
            case 2: {
                const DividerGroup group =
                    input.ConsumeBool() ? DividerGroup::Pci : DividerGroup::Agp;
                const auto index = input.ConsumeIntegralInRange<std::size_t>(0, 2);
                const bool clicked = panel.clickDivider(group, index);
                require(clicked == before.dividers(group).isEnabled(index));
                if (clicked) {
                    require(panel.calculateEnabled);
                    require(panel.dividers(group).selection() == index);
                } else {
                    require(panel == before);
                }
                break;
            }
            default: {
                panel.calculate();
                require(!panel.calculateEnabled);
                const ClockResults expected =
                    computeClocks(panel.pci.selection(), panel.agp.selection(), panel.referenceText,
                                  panel.fsbText);
                require(panel.results == expected.texts);
                require(panel.hints[CpuClock] == ClockHint::Ok);
                require(panel.hints[PciClock] == pciHint(expected.values[PciClock]));
                require(panel.hints[AgpClock] == agpHint(expected.values[AgpClock]));
                break;
            }
            }
        } catch (const RuntimeError& error) {
            failed = true;
            require(error.code() == 13 || error.code() == 6);
            // A failing action leaves every field as the gesture left it.
            ClockPanel expected = before;
            if (action == 1) {
                expected.referenceText = panel.referenceText;
                expected.fsbText = panel.fsbText;
            }
            require(panel == expected);
        }
        if (action != 3 || failed) {
            require(panel.results == before.results);
            require(panel.hints == before.hints);
        }
        for (const OptionGroup* group : {&panel.pci, &panel.agp}) {
            require(group->selection().value_or(0) < group->size());
        }
        require(panel.referenceList.size() == kReferencePresets.size());
        require(panel.fsbList.size() == kFsbPresets.size());
    }
    return 0;
}
