#include <form/control_table.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quenvale {

const ControlRow& controlRow(std::string_view objectName) {
    const auto found =
        std::find_if(kControls.begin(), kControls.end(),
                     [objectName](const ControlRow& row) { return row.objectName == objectName; });
    if (found == kControls.end()) {
        throw std::out_of_range("no control named " + std::string(objectName));
    }
    return *found;
}

const ControlRow& controlRow(ControlRole role) {
    const auto found = std::find_if(kControls.begin(), kControls.end(),
                                    [role](const ControlRow& row) { return row.role == role; });
    if (found == kControls.end()) {
        throw std::out_of_range("no control plays that role");
    }
    return *found;
}

std::string_view inputBoxName(InputBox box) {
    return box == InputBox::Reference ? control::referenceBox : control::fsbBox;
}

bool isFocusable(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::OptionButton ||
           kind == ControlKind::CommandButton || kind == ControlKind::TextBox;
}

std::vector<const ControlRow*> tabOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : kControls) {
        if (isFocusable(row.kind)) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow* a, const ControlRow* b) { return tabIndex(*a) < tabIndex(*b); });
    return focusable;
}

} // namespace quenvale
