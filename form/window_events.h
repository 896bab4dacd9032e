#pragma once

#include <calculator/clock_panel.h>

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace quenvale {

// The events of the window's controls that the program answers.
enum class WindowEvent {
    FormLoad,          // the window is built, before it is shown
    ReferenceEdited,   // the user changed the reference box's text
    FsbEdited,         // the user changed the FSB box's text
    ReferencePicked,   // the user picked an item of the reference list
    FsbPicked,         // the user picked an item of the FSB list
    PciDividerClicked, // a PCI divider option was clicked
    AgpDividerClicked, // an AGP divider option was clicked
    CalculateClicked,  // 計算実行
    ExitClicked,       // 終了
};

// What the control reports with its event.
struct EventArgs {
    std::size_t index = 0; // the list item picked, or the option clicked
    std::string text;      // the text after an edit
};

// One row per event: the user's gesture is copied into the panel and the
// event's action runs to completion.
struct EventBinding {
    WindowEvent event;
    // The object name of the control that raises it (the window for Load).
    std::string_view source;
    void (*run)(ClockPanel& panel, const EventArgs& args);
    // The input boxes whose texts the action converts, in that order; a
    // conversion failure is blamed on the first of them holding the text.
    std::span<const InputBox> converts;
};

const std::array<EventBinding, 9>& eventBindings();
const EventBinding& bindingFor(WindowEvent event);

WindowEvent editedEvent(InputBox box);
WindowEvent pickedEvent(InputBox box);

} // namespace quenvale
