#include <calculator/option_group.h>

#include <stdexcept>

namespace quenvale {

OptionGroup::OptionGroup(std::size_t count, std::size_t selected) : count_(count) {
    if (count_ > enabled_.size()) {
        throw std::out_of_range("OptionGroup: more options than kMaxDividers");
    }
    for (std::size_t i = 0; i < count_; ++i) {
        enabled_[i] = true;
    }
    select(selected);
}

std::size_t OptionGroup::checked(std::size_t index) const {
    if (index >= count_) {
        throw std::out_of_range("OptionGroup: no such option");
    }
    return index;
}

void OptionGroup::setEnabled(std::size_t index, bool enabled) {
    enabled_.at(checked(index)) = enabled;
}

void OptionGroup::select(std::size_t index) {
    selected_ = checked(index);
}

} // namespace quenvale
