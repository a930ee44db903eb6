#pragma once

#include <cstddef>

#include "app/Options.h"

namespace cut2edl {

// Converts (or, with --inspect, inspects) every input of the batch in order,
// with a progress line where one is wanted; returns how many failed.
std::size_t runBatch(const Options& options);

}  // namespace cut2edl
