#include "filelist/row_text.h"

#include <cstdio>

void FormatDateText(int year, int month, int day, int hour, int minute, char* out) {
  std::snprintf(out, 40, "%02d/%02d/%02d %02d:%02d", year, month, day, hour, minute);
}

int32_t SizeInKilobytes(uint32_t sizeHigh, uint32_t sizeLow) {
  if (sizeHigh != 0) return -1;
  uint32_t kb = sizeLow / 1000u;
  return kb == 0 ? 1 : static_cast<int32_t>(kb);
}
