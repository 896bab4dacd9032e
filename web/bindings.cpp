// The page's view of the program: the window's description and a session
// that runs every event, as calls the page makes (calls.h). The page shows
// only what these return.
#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <calculator/clock_panel.h>
#include <form/control_table.h>
#include <form/form_session.h>
#include <form/page_texts.h>
#include <form/window_events.h>
#include <runtime/catalogue.h>
#include <runtime/exact_decimal.h>
#include <runtime/language.h>
#include <rows/row_writer.h>
#include <web/calls.h>
#include <web/page_language.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

namespace {

// What the page does after an event, beyond showing the panel again.
struct Outcome {
    bool failed = false;
    std::string message;
    // The input box to focus with its text selected (0 reference, 1 FSB),
    // or -1 to leave the focus where it is.
    int focusBox = -1;
    bool exitRequested = false;
};

struct Control {
    std::string objectName;
    std::string kind;
    std::string container;
    std::string caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = 0;
    std::string toolTip;
    std::string labelFor;
    // What the page does with it (referenceBox, fsbBox, pciDivider,
    // agpDivider, calculateButton, exitButton, resultBox, creditLine, or one
    // of the names of the frames, labels and units), and its index among the
    // members of that role.
    std::string role;
    int index = 0;
};

// The page's name for a control's role.
std::string roleName(Role role) {
    switch (role) {
    case Role::InputFrame:
        return "inputFrame";
    case Role::ReferenceLabel:
        return "referenceLabel";
    case Role::ReferenceBox:
        return "referenceBox";
    case Role::ReferenceUnit:
        return "referenceUnit";
    case Role::FsbLabel:
        return "fsbLabel";
    case Role::FsbBox:
        return "fsbBox";
    case Role::FsbUnit:
        return "fsbUnit";
    case Role::PciFrame:
        return "pciFrame";
    case Role::PciDivider:
        return "pciDivider";
    case Role::AgpFrame:
        return "agpFrame";
    case Role::AgpDivider:
        return "agpDivider";
    case Role::CalculateButton:
        return "calculateButton";
    case Role::ExitButton:
        return "exitButton";
    case Role::ResultFrame:
        return "resultFrame";
    case Role::ResultLabel:
        return "resultLabel";
    case Role::ResultBox:
        return "resultBox";
    case Role::ResultUnit:
        return "resultUnit";
    case Role::CreditLine:
        break;
    }
    return "creditLine";
}

std::string kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
        return "frame";
    case ControlKind::Label:
        return "label";
    case ControlKind::ComboBox:
        return "combobox";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::TextBox:
        break;
    }
    return "textbox";
}

std::string cssColour(Rgb rgb) {
    return "rgb(" + std::to_string(rgb.red) + " " + std::to_string(rgb.green) + " " +
           std::to_string(rgb.blue) + ")";
}

// A length as CSS reads it, in six significant digits at most.
std::string cssLength(double value, std::string_view unit) {
    std::array<char, kMaxWrittenChars> text{};
    std::string length(text.data(), writeGeneral(value, text.data()));
    return length.append(unit);
}

std::string cssPoints(double points) {
    return cssLength(points, "pt");
}

bool validIndex(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

InputBox boxAt(int index) {
    return index == 0 ? InputBox::Reference : InputBox::Fsb;
}

DividerGroup groupAt(int group) {
    return group == 0 ? DividerGroup::Pci : DividerGroup::Agp;
}

class PageSession {
public:
    explicit PageSession(const std::string& language) : session_(pageLanguage(language)) {
        session_.handle(WindowEvent::FormLoad);
    }
    // Messages, tool tips and accessible names from now on in that language.
    void setLanguage(const std::string& language) { session_.setLanguage(pageLanguage(language)); }

    Outcome edit(int box, const std::string& text) {
        return run(editedEvent(boxAt(box)), {.index = 0, .text = text});
    }
    Outcome pick(int box, int item) {
        if (!validIndex(item, panel().list(boxAt(box)).size())) {
            return {};
        }
        return run(pickedEvent(boxAt(box)), {.index = static_cast<std::size_t>(item), .text = {}});
    }
    // Up or Down with the list closed: picks the item that follows the
    // box's text, if there is one that way.
    Outcome step(int box, bool down) {
        return follow(session_.step(boxAt(box), down ? ListStep::Down : ListStep::Up));
    }
    Outcome clickDivider(int group, int index) {
        if (!validIndex(index, dividerTable(groupAt(group)).size())) {
            return {};
        }
        return run(groupAt(group) == DividerGroup::Pci ? WindowEvent::PciDividerClicked
                                                       : WindowEvent::AgpDividerClicked,
                   {.index = static_cast<std::size_t>(index), .text = {}});
    }
    Outcome calculate() { return run(WindowEvent::CalculateClicked, {}); }
    Outcome exit() { return run(WindowEvent::ExitClicked, {}); }

    std::string text(int box) const { return panel().inputText(boxAt(box)); }
    std::vector<std::string> listItems(int box) const { return panel().list(boxAt(box)); }
    // The list item the box's text is, highlighted when the list opens; -1
    // for none.
    int currentItem(int box) const {
        const auto item = quenvale::currentItem(panel().list(boxAt(box)), text(box));
        return item ? static_cast<int>(*item) : -1;
    }
    bool dividerEnabled(int group, int index) const {
        const OptionGroup& options = panel().dividers(groupAt(group));
        return validIndex(index, options.size()) &&
               options.isEnabled(static_cast<std::size_t>(index));
    }
    bool dividerSelected(int group, int index) const {
        const OptionGroup& options = panel().dividers(groupAt(group));
        return validIndex(index, options.size()) &&
               options.isSelected(static_cast<std::size_t>(index));
    }
    std::string result(int index) const {
        return validIndex(index, panel().results.size())
                   ? panel().results[static_cast<std::size_t>(index)]
                   : std::string();
    }
    std::string hint(int index) const {
        return validIndex(index, panel().hints.size())
                   ? std::string(hintName(panel().hints[static_cast<std::size_t>(index)]))
                   : std::string("ok");
    }
    std::string resultToolTip(int index, bool textFits) const {
        return validIndex(index, panel().results.size())
                   ? quenvale::resultToolTip(panel(), static_cast<ClockIndex>(index), textFits,
                                             session_.language())
                   : std::string();
    }
    // The word beside the result's box while it has a hint; empty without.
    std::string resultMark(int index) const {
        return validIndex(index, panel().results.size())
                   ? std::string(quenvale::resultMark(panel(), static_cast<ClockIndex>(index),
                                                      session_.language()))
                   : std::string();
    }
    std::string resultDescription(int index) const {
        return validIndex(index, panel().results.size())
                   ? quenvale::resultDescription(panel(), static_cast<ClockIndex>(index),
                                                 session_.language())
                   : std::string();
    }
    bool calculateEnabled() const { return panel().calculateEnabled; }
    std::string resultsSpoken() const { return quenvale::resultsSpoken(panel(), session_.language()); }
    std::string resultName(int index, bool textFits) const {
        return validIndex(index, panel().results.size())
                   ? resultAccessibleName(panel(), static_cast<ClockIndex>(index), textFits,
                                          session_.language())
                   : std::string();
    }

private:
    const ClockPanel& panel() const { return session_.panel(); }

    Outcome run(WindowEvent event, const EventArgs& args) {
        return follow(session_.handle(event, args));
    }

    static Outcome follow(const EventOutcome& outcome) {
        Outcome page{.failed = outcome.failure.has_value(),
                     .message = outcome.failure ? outcome.failure->message : std::string(),
                     .focusBox = -1,
                     .exitRequested = outcome.exitRequested};
        if (outcome.focusBox) {
            page.focusBox = *outcome.focusBox == InputBox::Reference ? 0 : 1;
        }
        return page;
    }

    FormSession session_;
};

// The controls with their captions and tool tips in the language, and after
// them the words beside the results (kind "mark", role "hintMark"), which
// the page shows as the window does. The boxes' initial texts and the
// dividers' ratios read the same in any.
std::vector<Control> controls(const std::string& code) {
    const Language language = pageLanguage(code);
    std::vector<Control> rows;
    rows.reserve(kControls.size());
    for (const ControlRow& row : kControls) {
        const bool box = row.kind == ControlKind::ComboBox || row.kind == ControlKind::TextBox;
        const std::string_view caption = box ? row.caption : captionIn(row, language);
        rows.push_back({std::string(row.objectName), kindName(row.kind), std::string(row.container),
                        std::string(caption), row.left, row.top, row.width, row.height,
                        static_cast<int>(tabIndex(row)),
                        std::string(toolTipIn(row, language)), std::string(row.labelFor),
                        roleName(row.role.role), static_cast<int>(row.role.index)});
    }
    for (std::size_t i = 0; i < kClockCount; ++i) {
        const MarkBox mark = hintMarkBox(i);
        rows.push_back({.objectName = std::string(mark.objectName),
                        .kind = "mark",
                        .container = std::string(mark.container),
                        .left = mark.left,
                        .top = mark.top,
                        .width = mark.width,
                        .height = mark.height,
                        .tabIndex = static_cast<int>(kControls.size() + i),
                        .role = "hintMark",
                        .index = static_cast<int>(i)});
    }
    return rows;
}

// The window's look as CSS values: its size in pixels, faces, sizes and
// colours, each colour in its light and its dark variant.
std::vector<std::string> styleNames() {
    return {"--client-width", "--client-height", "--face",         "--input-size",
            "--control-size", "--credit",        "--caution",      "--danger",
            "--credit-dark",  "--caution-dark",  "--danger-dark"};
}

std::vector<std::string> styleValues() {
    std::string faces;
    for (const std::string_view family : kFontFamilies) {
        faces += '"' + std::string(family) + "\", ";
    }
    faces += "sans-serif";
    const auto pixels = [](int twips) {
        return cssLength(static_cast<double>(twips) / kTwipsPerPixel, "px");
    };
    return {pixels(kClientWidthTwips),   pixels(kClientHeightTwips),    faces,
            cssPoints(kInputFontPoints), cssPoints(kControlFontPoints), cssColour(kCreditColour),
            cssColour(kCautionColour),   cssColour(kDangerColour),      cssColour(kCreditColours.dark),
            cssColour(kCautionColours.dark), cssColour(kDangerColours.dark)};
}

std::string outcomeJson(const Outcome& outcome) {
    return JsonObject()
        .flag("failed", outcome.failed)
        .text("message", outcome.message)
        .number("focusBox", outcome.focusBox)
        .flag("exitRequested", outcome.exitRequested)
        .close();
}

std::string controlJson(const Control& control) {
    return JsonObject()
        .text("objectName", control.objectName)
        .text("kind", control.kind)
        .text("container", control.container)
        .text("caption", control.caption)
        .number("left", control.left)
        .number("top", control.top)
        .number("width", control.width)
        .number("height", control.height)
        .number("tabIndex", control.tabIndex)
        .text("toolTip", control.toolTip)
        .text("labelFor", control.labelFor)
        .text("role", control.role)
        .number("index", control.index)
        .close();
}

// The page's one session, as the window is when it opens; the page opens
// it again in its language, and again to start over.
PageSession& session() {
    static PageSession page("ja");
    return page;
}

constexpr std::array kCalls{
    Call{"session.open", 1,
         [](const Arguments& a) {
             session() = PageSession(a.text(0));
             return std::string("null");
         }},
    Call{"session.setLanguage", 1,
         [](const Arguments& a) {
             session().setLanguage(a.text(0));
             return std::string("null");
         }},
    Call{"session.edit", 2,
         [](const Arguments& a) { return outcomeJson(session().edit(a.number(0), a.text(1))); }},
    Call{"session.pick", 2,
         [](const Arguments& a) { return outcomeJson(session().pick(a.number(0), a.number(1))); }},
    Call{"session.step", 2,
         [](const Arguments& a) { return outcomeJson(session().step(a.number(0), a.flag(1))); }},
    Call{"session.clickDivider", 2,
         [](const Arguments& a) {
             return outcomeJson(session().clickDivider(a.number(0), a.number(1)));
         }},
    Call{"session.calculate", 0,
         [](const Arguments&) { return outcomeJson(session().calculate()); }},
    Call{"session.exit", 0, [](const Arguments&) { return outcomeJson(session().exit()); }},
    Call{"session.text", 1,
         [](const Arguments& a) { return jsonString(session().text(a.number(0))); }},
    Call{"session.listItems", 1,
         [](const Arguments& a) { return jsonTexts(session().listItems(a.number(0))); }},
    Call{"session.currentItem", 1,
         [](const Arguments& a) { return std::to_string(session().currentItem(a.number(0))); }},
    Call{"session.dividerEnabled", 2,
         [](const Arguments& a) {
             return jsonFlag(session().dividerEnabled(a.number(0), a.number(1)));
         }},
    Call{"session.dividerSelected", 2,
         [](const Arguments& a) {
             return jsonFlag(session().dividerSelected(a.number(0), a.number(1)));
         }},
    Call{"session.result", 1,
         [](const Arguments& a) { return jsonString(session().result(a.number(0))); }},
    Call{"session.hint", 1,
         [](const Arguments& a) { return jsonString(session().hint(a.number(0))); }},
    Call{"session.resultToolTip", 2,
         [](const Arguments& a) {
             return jsonString(session().resultToolTip(a.number(0), a.flag(1)));
         }},
    Call{"session.resultDescription", 1,
         [](const Arguments& a) { return jsonString(session().resultDescription(a.number(0))); }},
    Call{"session.resultMark", 1,
         [](const Arguments& a) { return jsonString(session().resultMark(a.number(0))); }},
    Call{"session.calculateEnabled", 0,
         [](const Arguments&) { return jsonFlag(session().calculateEnabled()); }},
    Call{"session.resultName", 2,
         [](const Arguments& a) {
             return jsonString(session().resultName(a.number(0), a.flag(1)));
         }},
    Call{"session.resultsSpoken", 0,
         [](const Arguments&) { return jsonString(session().resultsSpoken()); }},
    Call{"pageText", 3,
         [](const Arguments& a) {
             return jsonString(pageText(pageLanguage(a.text(0)), a.text(1), a.text(2)));
         }},
    // The language a browser's first language tag asks for, as a code.
    Call{"browserLanguage", 1,
         [](const Arguments& a) {
             return jsonString(languageCode(languageOfLocale(a.text(0))));
         }},
    // How a browser language that asks for Japanese starts: the build hands
    // it to the early script, which chooses the page's language before the
    // program runs.
    Call{"japaneseLocalePrefix", 0,
         [](const Arguments&) { return jsonString(kJapaneseLocalePrefix); }},
    // The code of a language the page speaks, or empty for any other text
    // (a link's lang value).
    Call{"languageCode", 1,
         [](const Arguments& a) {
             const auto language = languageNamed(a.text(0));
             return jsonString(language ? languageCode(*language) : std::string_view());
         }},
    // The codes of the languages the switch offers, in its order.
    Call{"languageCodes", 0,
         [](const Arguments&) {
             return jsonTexts({std::string(languageCode(Language::Japanese)),
                               std::string(languageCode(Language::English))});
         }},
    Call{"controls", 1,
         [](const Arguments& a) { return jsonArray(controls(a.text(0)), controlJson); }},
    Call{"styleNames", 0, [](const Arguments&) { return jsonTexts(styleNames()); }},
    Call{"styleValues", 0, [](const Arguments&) { return jsonTexts(styleValues()); }},
    Call{"windowTitle", 0, [](const Arguments&) { return jsonString(kWindowTitle); }},
    Call{"windowName", 0, [](const Arguments&) { return jsonString(kWindowName); }},
    Call{"twipsPerPixel", 0, [](const Arguments&) { return std::to_string(kTwipsPerPixel); }},
};

} // namespace

std::span<const Call> windowCalls() {
    return kCalls;
}

} // namespace quenvale
