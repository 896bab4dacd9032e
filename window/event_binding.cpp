#include <window/event_binding.h>

#include <algorithm>
#include <stdexcept>

namespace quenvale {

namespace {

const std::array<EventBinding, 7> kBindings{{
    {WindowEvent::FormLoad, [](ClockPanel& panel, const EventArgs&) { panel.load(); }, {}},
    {WindowEvent::ComboChange,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.editInput(inputBoxAt(args.controlIndex), args.text);
     },
     {}},
    {WindowEvent::ComboClick,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.pickListItem(inputBoxAt(args.controlIndex), args.itemIndex);
     },
     kListPickConverts},
    {WindowEvent::Option1Click,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.clickDivider(DividerGroup::Pci, args.controlIndex);
     },
     {}},
    {WindowEvent::Option2Click,
     [](ClockPanel& panel, const EventArgs& args) {
         panel.clickDivider(DividerGroup::Agp, args.controlIndex);
     },
     {}},
    {WindowEvent::Command1Click, [](ClockPanel& panel, const EventArgs&) { panel.calculate(); },
     kCalculateConverts},
    {WindowEvent::Command2Click, [](ClockPanel& panel, const EventArgs&) { panel.exit(); }, {}},
}};

} // namespace

const std::array<EventBinding, 7>& eventBindings() {
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

InputBox inputBoxAt(std::size_t controlIndex) {
    return controlIndex == 0 ? InputBox::Reference : InputBox::Fsb;
}

} // namespace quenvale
