#include "common/dpi_scale.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

int RescaleForDpi(int value, int fromDpi, int toDpi) {
  int64_t product = static_cast<int64_t>(value) * toDpi;
  int64_t half = fromDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi);
}

int PictureScale(int dpi) {
  int percent = RescaleForDpi(100, kBaseDpi, dpi);
  int best = 100;
  for (int scale : {150, 200}) {
    if (std::abs(percent - scale) < std::abs(percent - best)) best = scale;
  }
  return best;
}
