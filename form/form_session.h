#pragma once

#include <calculator/clock_calculation.h>
#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <form/window_events.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenvale {

enum class ListStep { Up, Down };

// What a front end does after an event, beyond showing the panel again.
struct EventOutcome {
    // Tell the user; the panel is as it was before the action.
    std::optional<FailureDescription> failure;
    // Put the keyboard focus in this box with its whole text selected: the
    // box to correct after a failure, the box last used after a calculation
    // (the calculate button has just been disabled and must not pass the
    // focus on to 終了).
    std::optional<InputBox> focusBox;
    // Close the window: 終了 was pressed.
    bool exitRequested = false;
};

// The window's logic behind either front end: the panel, and which input box
// the user worked in last. Every event goes through handle(); a failing
// action leaves the panel unchanged.
class FormSession {
public:
    // Messages (failures) are told in `language`. Japanese by default, the
    // window's own language, for a front end that does not choose.
    explicit FormSession(Language language = Language::Japanese) : language_(language) {}

    EventOutcome handle(WindowEvent event, const EventArgs& args = {});
    // Up or Down with the box's list closed: picks the item that follows the
    // box's text (see steppedItem), or does nothing when there is none.
    EventOutcome step(InputBox box, ListStep step);

    const ClockPanel& panel() const { return panel_; }
    // The box last edited or picked from; the reference box at first.
    InputBox lastInput() const { return lastInput_; }
    Language language() const { return language_; }
    // Later messages in another language; the panel stays as it is.
    void setLanguage(Language language) { language_ = language; }

private:
    Language language_;
    ClockPanel panel_;
    InputBox lastInput_ = InputBox::Reference;
};

// The list item that is the box's text exactly, if any.
std::optional<std::size_t> currentItem(const std::vector<std::string>& items,
                                       std::string_view text);

// The item Up or Down moves to from the box's text: the next item in the
// list from the current one; from a number that is not an item, the nearest
// item below (Up) or above (Down) it in numeric order; from a text that is
// not a number, the last (Up) or first (Down) item. None where there is
// nothing further that way.
std::optional<std::size_t> steppedItem(const std::vector<std::string>& items, std::string_view text,
                                       ListStep step);

// A result box's tool tip, one line a thought: its whole text when the box
// cannot show it all; for the CPU clock, what the crystal does to USB and to
// the time kept by timer ticks; then why the clock deserves its hint. Empty
// when there is nothing to add.
std::string resultToolTip(const ClockPanel& panel, ClockIndex result, bool textFits,
                          Language language = Language::Japanese);

// What a screen reader adds to a result's name: the same lines as the tool
// tip but the text itself, else the unit.
std::string resultDescription(const ClockPanel& panel, ClockIndex result,
                              Language language = Language::Japanese);

// The word shown beside a result's box while it has a hint (注意 or 危険),
// so that the hint is seen without telling colours apart; empty without one.
std::string_view resultMark(const ClockPanel& panel, ClockIndex result,
                            Language language = Language::Japanese);

// A result box's accessible name: its label's caption, headed by the box's
// whole text when the box cannot show it all, so that a cut number is never
// announced as the digits on screen.
std::string resultAccessibleName(const ClockPanel& panel, ClockIndex result, bool textFits,
                                 Language language = Language::Japanese);

// The three results as one line for a screen reader to say when something
// other than the window set them (a row chosen in a table): each label's
// caption with its text and unit, and its hint's word where it has one.
// Empty before a calculation.
std::string resultsSpoken(const ClockPanel& panel, Language language = Language::Japanese);

} // namespace quenvale
