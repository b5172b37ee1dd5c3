#pragma once

#include <functional>

// Told after each note of an export or import: how many are done of how
// many. Returning false cancels the rest.
using ExchangeProgress = std::function<bool(int done, int total)>;
