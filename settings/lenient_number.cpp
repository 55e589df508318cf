#include "settings/lenient_number.h"

int32_t ParseLenientInt(const char* text, size_t maxBytes) {
  size_t i = 0;
  auto at = [&](size_t k) -> unsigned char {
    return k < maxBytes ? static_cast<unsigned char>(text[k]) : 0;
  };
  while (at(i) == ' ' || (at(i) >= 0x09 && at(i) <= 0x0D)) ++i;
  bool negative = false;
  if (at(i) == '+' || at(i) == '-') {
    negative = at(i) == '-';
    ++i;
  }
  uint32_t value = 0;  // unsigned, so overflow wraps instead of being undefined
  while (at(i) >= '0' && at(i) <= '9') {
    value = value * 10u + static_cast<uint32_t>(at(i) - '0');
    ++i;
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}
