#include "common/dpi_scale.h"

#include <cstdint>

int RescaleForDpi(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return value;
  int64_t product = static_cast<int64_t>(value) * toDpi;
  int64_t half = fromDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi);
}

int PictureScale(int dpi) {
  constexpr int kScales[] = {100, 150, 200};
  int percent = RescaleForDpi(100, kBaseDpi, dpi);
  int best = kScales[0];
  for (int scale : kScales) {
    int distance = percent > scale ? percent - scale : scale - percent;
    int bestDistance = percent > best ? percent - best : best - percent;
    if (distance < bestDistance) best = scale;
  }
  return best;
}
