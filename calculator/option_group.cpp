#include <calculator/option_group.h>

namespace quenvale {

OptionGroup::OptionGroup(std::size_t selected) {
    select(selected);
}

void OptionGroup::setEnabled(std::size_t index, bool enabled) {
    enabled_.at(index) = enabled;
}

void OptionGroup::select(std::size_t index) {
    (void)enabled_.at(index); // range check
    selected_ = index;
}

} // namespace quenvale
