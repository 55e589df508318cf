// Number texts are read leniently: leading white space, one optional sign,
// then digits up to the first other byte; no digits gives 0. Wraps in 32 bits.
#pragma once
#include <cstddef>
#include <cstdint>

// Reads at most maxBytes bytes of text (stops earlier at a zero byte).
int32_t ParseLenientInt(const char* text, size_t maxBytes);
