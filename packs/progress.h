#pragma once
#include <cstddef>
#include <functional>

namespace tarnwick {

// Told after each file an install or a removal has handled: how many of all.
using Progress = std::function<void(size_t done, size_t all)>;

}  // namespace tarnwick
