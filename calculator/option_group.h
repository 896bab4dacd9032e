#pragma once

#include <calculator/dividers.h>

#include <array>
#include <cstddef>
#include <optional>

namespace quenvale {

// The index of the selected option of a divider group, or none.
using DividerChoice = std::optional<std::size_t>;

// The option buttons sharing a frame: at most one is selected, and
// selecting one clears the others.
class OptionGroup {
public:
    // `count` options, all enabled, the given one selected.
    OptionGroup(std::size_t count, std::size_t selected);

    std::size_t size() const { return count_; }
    bool isEnabled(std::size_t index) const { return enabled_.at(checked(index)); }
    bool isSelected(std::size_t index) const { return selected_ == index; }
    DividerChoice selection() const { return selected_; }

    void setEnabled(std::size_t index, bool enabled);
    void select(std::size_t index);

    bool operator==(const OptionGroup&) const = default;

private:
    // Throws std::out_of_range past the group's last option.
    std::size_t checked(std::size_t index) const;

    std::size_t count_;
    std::array<bool, kMaxDividers> enabled_{};
    DividerChoice selected_;
};

} // namespace quenvale
