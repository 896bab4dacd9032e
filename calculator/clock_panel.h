#pragma once

#include <calculator/clock_hints.h>
#include <calculator/consequences.h>
#include <calculator/dividers.h>
#include <calculator/option_group.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

// Reference crystals offered in the first list, MHz, in list order.
inline constexpr std::array<std::string_view, 19> kReferencePresets{
    "12.000", "12.288", "12.800", "14.318", "15.000", "16.000", "17.640",
    "17.734", "18.000", "18.432", "19.660", "19.832", "20.000", "20.945",
    "21.400", "21.477", "21.855", "22.118", "24.000"};

// FSB settings offered in the second list, MHz, in list order.
inline constexpr std::array<std::string_view, 21> kFsbPresets{
    "66.666", "68.5", "75",      "83.333", "90",  "100", "103", "110", "112", "117", "120",
    "124",    "129",  "133.333", "138",    "140", "143", "148", "150", "153", "160"};

enum class InputBox { Reference, Fsb };

// The boxes whose texts an action converts, in the order it converts them:
// a failure is blamed on the first whose text failed.
inline constexpr std::array<InputBox, 2> kCalculateConverts{InputBox::Reference, InputBox::Fsb};
inline constexpr std::array<InputBox, 1> kListPickConverts{InputBox::Fsb};

// The state of the one window as the logic sees it, and the actions its
// events run. The window mirrors every field in a control; the logic keeps
// nothing anywhere else. An action that throws RuntimeError has changed no
// field.
struct ClockPanel {
    std::string referenceText{"14.318"};
    std::vector<std::string> referenceList;
    std::string fsbText{"100"};
    std::vector<std::string> fsbList;
    OptionGroup pci{kPciDividers.size(), kInitialPciDivider};
    OptionGroup agp{kAgpDividers.size(), kInitialAgpDivider};
    std::array<std::string, 3> results;
    // How far each result runs above its bus's nominal clock, written with
    // the results, so that the window never reads numbers back from their
    // texts. The CPU clock has no nominal and stays Ok.
    std::array<ClockHint, 3> hints{};
    // What else the crystal of the last calculation changes, written with
    // the results; none before the first calculation, and none when the
    // crystal is too far out for them to be told (the clocks still are).
    std::optional<Consequences> consequences;
    bool calculateEnabled = true;
    // Set by exit(); the window carries it out.
    bool exitRequested = false;

    // Actions, one per event.
    void load();
    void inputEdited();
    void listPicked();
    void dividerClicked();
    void calculate();
    void exit();

    // What a user's gesture does: the control changes, then its event's
    // action runs. A gesture's own change stays when the action throws.
    void editInput(InputBox box, std::string text);
    void pickListItem(InputBox box, std::size_t index);
    // Ignored, returning false, when the option is disabled.
    bool clickDivider(DividerGroup group, std::size_t index);

    std::string& inputText(InputBox box);
    const std::string& inputText(InputBox box) const;
    const std::vector<std::string>& list(InputBox box) const;
    OptionGroup& dividers(DividerGroup group);
    const OptionGroup& dividers(DividerGroup group) const;

    bool operator==(const ClockPanel&) const = default;
};

} // namespace quenvale
