// Runs independent pieces of forge work on the machine's cores. Each piece
// writes only its own result, so the bytes come out the same however many
// workers there are and in whatever order they finish.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace torvel::forge {

// Calls work(i) once for every i in 0..count-1, on up to four threads.
template <typename Work>
void ParallelFor(size_t count, Work work) {
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) work(i);
  };
  unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned w = 1; w < workers; ++w) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
}

}  // namespace torvel::forge
