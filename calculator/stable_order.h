#pragma once

#include <cstddef>
#include <numeric>
#include <vector>

namespace quenvale {

// The order in which `before(i, j)` puts `count` items, ties kept in their
// own order: the places of the items, first to last. An insertion sort:
// a plan or a table has a few hundred rows at the most, and std::stable_sort's
// merging costs the page's WebAssembly some 3 KB for each kind of row sorted.
template <class Before> std::vector<std::size_t> stableOrder(std::size_t count, Before before) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (std::size_t i = 1; i < count; ++i) {
        const std::size_t item = order[i];
        std::size_t j = i;
        for (; j > 0 && before(item, order[j - 1]); --j) {
            order[j] = order[j - 1];
        }
        order[j] = item;
    }
    return order;
}

} // namespace quenvale
