// Shared helpers of the native tests: fixed-size buffers compared whole.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Ints = std::vector<int64_t>;
using Texts = std::vector<std::string>;

// n bytes of "a"
inline std::string A(size_t n) { return std::string(n, 'a'); }

// text in a zero-filled field of size bytes
inline std::string Zeroed(const std::string& text, size_t size) { return text + std::string(size - text.size(), '\0'); }

// The size bytes that fill writes into a buffer of "x", and the guard byte behind them.
template <class Fill>
std::string Filled(size_t size, Fill fill) {
  std::string out(size + 1, 'x');
  fill(&out[0]);
  return out;
}
