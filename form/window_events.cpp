#include <form/control_table.h>
#include <form/window_events.h>

#include <algorithm>
#include <stdexcept>

namespace quenvale {

namespace {

const std::array<EventBinding, 9> kBindings{{
    {WindowEvent::FormLoad,
     kWindowName,
     [](ClockPanel& panel, const EventArgs&) { panel.load(); },
     {}},
    {WindowEvent::ReferenceEdited,
     control::referenceBox,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.editInput(InputBox::Reference, args.text);
     },
     {}},
    {WindowEvent::FsbEdited,
     control::fsbBox,
     [](ClockPanel& panel, const EventArgs& args) { panel.editInput(InputBox::Fsb, args.text); },
     {}},
    {WindowEvent::ReferencePicked, control::referenceBox,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.pickListItem(InputBox::Reference, args.index);
     },
     kListPickConverts},
    {WindowEvent::FsbPicked, control::fsbBox,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.pickListItem(InputBox::Fsb, args.index);
     },
     kListPickConverts},
    {WindowEvent::PciDividerClicked,
     control::pciFrame,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.clickDivider(DividerGroup::Pci, args.index);
     },
     {}},
    {WindowEvent::AgpDividerClicked,
     control::agpFrame,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.clickDivider(DividerGroup::Agp, args.index);
     },
     {}},
    {WindowEvent::CalculateClicked, control::calculateButton,
     [](ClockPanel& panel, const EventArgs&) { panel.calculate(); }, kCalculateConverts},
    {WindowEvent::ExitClicked,
     control::exitButton,
     [](ClockPanel& panel, const EventArgs&) { panel.exit(); },
     {}},
}};

} // namespace

const std::array<EventBinding, 9>& eventBindings() {
    return kBindings;
}

const EventBinding& bindingFor(WindowEvent event) {
    const auto found =
        std::find_if(kBindings.begin(), kBindings.end(),
                     [event](const EventBinding& row) { return row.event == event; });
    if (found == kBindings.end()) {
        throw std::out_of_range("no binding for a window event");
    }
    return *found;
}

WindowEvent editedEvent(InputBox box) {
    return box == InputBox::Reference ? WindowEvent::ReferenceEdited : WindowEvent::FsbEdited;
}

WindowEvent pickedEvent(InputBox box) {
    return box == InputBox::Reference ? WindowEvent::ReferencePicked : WindowEvent::FsbPicked;
}

} // namespace quenvale
