// The game list's Shell sort (increments 1, 4, 13, 40, ...). Equal keys are
// never moved past each other within a pass, so any comparison that orders
// exactly like another gives exactly the same result, ties included.
#pragma once

#include <cstddef>

namespace quillet {

// `before(a, b)` is true when a must stand before b.
template <class T, class Before>
void ShellSort(T* items, size_t n, Before before) {
    if (n < 2) return;
    size_t h = 1;
    while (h <= (n - 1) / 9) h = 3 * h + 1;
    for (; h != 0; h /= 3) {
        for (size_t i = h; i < n; ++i) {
            T v = items[i];
            size_t j = i;
            while (j >= h && before(v, items[j - h])) {
                items[j] = items[j - h];
                j -= h;
            }
            items[j] = v;
        }
    }
}

}  // namespace quillet
