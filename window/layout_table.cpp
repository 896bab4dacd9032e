#include <window/layout_table.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quenvale {

const ControlRow& controlRow(std::string_view name) {
    const auto found = std::find_if(kControls.begin(), kControls.end(),
                                    [name](const ControlRow& row) { return row.name == name; });
    if (found == kControls.end()) {
        throw std::out_of_range("no control named " + std::string(name));
    }
    return *found;
}

} // namespace quenvale
