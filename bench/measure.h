#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace tarnwick::bench {

// Milliseconds since some fixed moment, from the high-resolution counter.
inline double nowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

inline double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

inline double megabytes(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace tarnwick::bench
