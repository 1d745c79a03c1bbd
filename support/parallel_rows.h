// SPDX-License-Identifier: GPL-3.0-or-later
// Independent rows of a computation spread over the machine's cores (std::thread): each row
// index is handed to exactly one thread, in blocks of consecutive rows taken as threads become
// free.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace vesk {

// Runs task(row) for every row in [0, rows), `block` rows at a time; returns when all have run.
// The task must only write what belongs to its row, or write atomically; rows that write to the
// same memory run faster in larger blocks (the threads then work far apart).
template <typename Task>
void forEachRowInParallel(std::size_t rows, const Task& task, std::size_t block = 8) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t first = next.fetch_add(block); first < rows; first = next.fetch_add(block))
            for (std::size_t row = first; row < std::min(rows, first + block); ++row)
                task(row);
    };
    const std::size_t helpers =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()) - 1, rows / block);
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < helpers; ++i)
        threads.emplace_back(work);
    work();
}

} // namespace vesk
