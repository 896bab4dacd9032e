#pragma once

#include <calculator/clock_panel.h>

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace quenvale {

// The events of the window's controls that the program answers.
enum class WindowEvent {
    FormLoad,      // Load of Form1
    ComboChange,   // Change of Combo1(i): the user edited the text
    ComboClick,    // Click of Combo1(i): the user picked a list item
    Option1Click,  // Click of Option1(i): a PCI divider
    Option2Click,  // Click of Option2(i): an AGP divider
    Command1Click, // Click of Command1: 計算実行
    Command2Click, // Click of Command2: 終了
};

// What the control reports with its event.
struct EventArgs {
    std::size_t controlIndex = 0; // index within the control array
    std::size_t itemIndex = 0;    // the list item picked
    std::string text;             // the text after an edit
};

// One row per event: the user's gesture is copied into the panel and the
// event's action runs to completion.
struct EventBinding {
    WindowEvent event;
    void (*run)(ClockPanel& panel, const EventArgs& args);
    // The input boxes whose texts the action converts, in that order; a
    // conversion failure is blamed on the first of them holding the text.
    std::span<const InputBox> converts;
};

const std::array<EventBinding, 7>& eventBindings();
const EventBinding& bindingFor(WindowEvent event);

// Combo1(0) holds the reference clock, Combo1(1) the FSB.
InputBox inputBoxAt(std::size_t controlIndex);

} // namespace quenvale
