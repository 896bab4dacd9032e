#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace quenvale {

// The index (0 to 2) of the selected option of a divider group, or none.
using DividerChoice = std::optional<std::size_t>;

// Three option buttons sharing a frame: at most one is selected, and
// selecting one clears the others.
class OptionGroup {
public:
    static constexpr std::size_t size = 3;

    // All enabled, the given one selected.
    explicit OptionGroup(std::size_t selected);

    bool isEnabled(std::size_t index) const { return enabled_.at(index); }
    bool isSelected(std::size_t index) const { return selected_ == index; }
    DividerChoice selection() const { return selected_; }

    void setEnabled(std::size_t index, bool enabled);
    void select(std::size_t index);

    bool operator==(const OptionGroup&) const = default;

private:
    std::array<bool, size> enabled_{true, true, true};
    DividerChoice selected_;
};

} // namespace quenvale
