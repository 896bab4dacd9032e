// The page's view of the program: the panel, its actions and the window's
// layout, exported to JavaScript. The page only shows what these return.
#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <runtime/runtime_error.h>
#include <window/layout_table.h>

#include <array>
#include <emscripten/bind.h>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quenvale {

namespace {

// What an action left to tell the user: nothing, or the message and the box
// to correct (-1 when no box is to blame).
struct Outcome {
    bool failed = false;
    std::string message;
    int focusBox = -1;
};

struct Control {
    std::string name;
    std::string kind;
    std::string container;
    std::string caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = 0;
    std::string labelFor; // the field a label names
    std::string toolTip;
};

// Each label names the field to its right or below it.
struct LabelFor {
    std::string_view label;
    std::string_view field;
};
constexpr std::array<LabelFor, 5> kLabelledFields{{
    {"Label2", "Combo1(0)"},
    {"Label3", "Combo1(1)"},
    {"Label4(0)", "Text1(0)"},
    {"Label5", "Text1(1)"},
    {"Label6", "Text1(2)"},
}};

struct ToolTip {
    std::string_view control;
    std::string_view text;
};
constexpr std::array<ToolTip, 2> kToolTips{{
    {"Combo1(0)", "PLL-ICに与える周波数"},
    {"Combo1(1)", "マザーボードで設定するFSB"},
}};

std::string kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
        return "frame";
    case ControlKind::Label:
        return "label";
    case ControlKind::ComboBox:
        return "combo";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::TextBox:
        return "text";
    }
    return "label";
}

bool validIndex(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

InputBox boxAt(int index) {
    return index == 0 ? InputBox::Reference : InputBox::Fsb;
}

DividerGroup groupAt(int index) {
    return index == 0 ? DividerGroup::Pci : DividerGroup::Agp;
}

class PagePanel {
public:
    PagePanel() { panel_.load(); }

    Outcome editInput(int box, const std::string& text) {
        return run([&] { panel_.editInput(boxAt(box), text); }, {});
    }
    Outcome pickListItem(int box, int index) {
        if (!validIndex(index, panel_.list(boxAt(box)).size())) {
            return {};
        }
        return run([&] { panel_.pickListItem(boxAt(box), static_cast<std::size_t>(index)); },
                   kListPickConverts);
    }
    Outcome clickDivider(int group, int index) {
        if (!validIndex(index, OptionGroup::size)) {
            return {};
        }
        return run([&] { panel_.clickDivider(groupAt(group), static_cast<std::size_t>(index)); },
                   {});
    }
    Outcome calculate() {
        return run([&] { panel_.calculate(); }, kCalculateConverts);
    }
    Outcome exit() {
        return run([&] { panel_.exit(); }, {});
    }

    std::string text(int box) const { return box == 0 ? panel_.referenceText : panel_.fsbText; }
    std::vector<std::string> listItems(int box) const { return panel_.list(boxAt(box)); }
    bool dividerEnabled(int group, int index) const {
        return validIndex(index, OptionGroup::size) &&
               panel_.dividers(groupAt(group)).isEnabled(static_cast<std::size_t>(index));
    }
    bool dividerSelected(int group, int index) const {
        return validIndex(index, OptionGroup::size) &&
               panel_.dividers(groupAt(group)).isSelected(static_cast<std::size_t>(index));
    }
    std::string result(int index) const {
        return validIndex(index, panel_.results.size())
                   ? panel_.results[static_cast<std::size_t>(index)]
                   : std::string();
    }
    std::string hint(int index) const {
        return validIndex(index, panel_.hints.size())
                   ? std::string(hintName(panel_.hints[static_cast<std::size_t>(index)]))
                   : std::string("ok");
    }
    std::string hintText(int index) const {
        if (index == PciClock) {
            return std::string(pciHintText(panel_.hints[PciClock]));
        }
        if (index == AgpClock) {
            return std::string(agpHintText(panel_.hints[AgpClock]));
        }
        return {};
    }
    bool calculateEnabled() const { return panel_.calculateEnabled; }
    bool exitRequested() const { return panel_.exitRequested; }

private:
    template <class Action> Outcome run(Action action, std::span<const InputBox> converts) {
        try {
            action();
        } catch (const RuntimeError& error) {
            const FailureDescription failure = describeFailure(error, panel_, converts);
            Outcome outcome{.failed = true, .message = failure.message, .focusBox = -1};
            if (failure.box) {
                outcome.focusBox = *failure.box == InputBox::Reference ? 0 : 1;
            }
            return outcome;
        }
        return {};
    }

    ClockPanel panel_;
};

std::vector<Control> controls() {
    std::vector<Control> rows;
    for (const ControlRow& row : kControls) {
        Control control{std::string(row.name),
                        kindName(row.kind),
                        std::string(row.container),
                        std::string(row.caption),
                        row.left,
                        row.top,
                        row.width,
                        row.height,
                        row.tabIndex,
                        {},
                        {}};
        for (const LabelFor& pair : kLabelledFields) {
            if (pair.label == row.name) {
                control.labelFor = pair.field;
            }
        }
        for (const ToolTip& tip : kToolTips) {
            if (tip.control == row.name) {
                control.toolTip = tip.text;
            }
        }
        rows.push_back(std::move(control));
    }
    return rows;
}

} // namespace

} // namespace quenvale

EMSCRIPTEN_BINDINGS(quenvale) {
    using namespace emscripten;
    using quenvale::Control;
    using quenvale::Outcome;
    using quenvale::PagePanel;

    value_object<Outcome>("Outcome")
        .field("failed", &Outcome::failed)
        .field("message", &Outcome::message)
        .field("focusBox", &Outcome::focusBox);
    value_object<Control>("Control")
        .field("name", &Control::name)
        .field("kind", &Control::kind)
        .field("container", &Control::container)
        .field("caption", &Control::caption)
        .field("left", &Control::left)
        .field("top", &Control::top)
        .field("width", &Control::width)
        .field("height", &Control::height)
        .field("tabIndex", &Control::tabIndex)
        .field("labelFor", &Control::labelFor)
        .field("toolTip", &Control::toolTip);
    register_vector<std::string>("StringList");
    register_vector<Control>("ControlList");

    class_<PagePanel>("PagePanel")
        .constructor<>()
        .function("editInput", &PagePanel::editInput)
        .function("pickListItem", &PagePanel::pickListItem)
        .function("clickDivider", &PagePanel::clickDivider)
        .function("calculate", &PagePanel::calculate)
        .function("exit", &PagePanel::exit)
        .function("text", &PagePanel::text)
        .function("listItems", &PagePanel::listItems)
        .function("dividerEnabled", &PagePanel::dividerEnabled)
        .function("dividerSelected", &PagePanel::dividerSelected)
        .function("result", &PagePanel::result)
        .function("hint", &PagePanel::hint)
        .function("hintText", &PagePanel::hintText)
        .function("calculateEnabled", &PagePanel::calculateEnabled)
        .function("exitRequested", &PagePanel::exitRequested);
    function("controls", &quenvale::controls);
    constant("clientWidthTwips", quenvale::kClientWidthTwips);
    constant("clientHeightTwips", quenvale::kClientHeightTwips);
}
