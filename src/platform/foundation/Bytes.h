#pragma once

#include <cstdint>
#include <vector>

// A run of raw bytes: file contents, wire bodies, digests, keys.
using Bytes = std::vector<std::uint8_t>;
