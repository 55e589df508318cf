// The texts of a file row that come from the file system: date and size.
#pragma once
#include <cstdint>

// "%02d/%02d/%02d %02d:%02d" (year in full) into out, 40 bytes.
void FormatDateText(int year, int month, int day, int hour, int minute, char* out);

// Kilobytes of 1000 bytes, truncated, at least 1; -1 beyond 32 bits.
int32_t SizeInKilobytes(uint32_t sizeHigh, uint32_t sizeLow);
