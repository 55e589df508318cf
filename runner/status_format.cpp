#include "runner/status_format.h"

#include <cstdio>
#include <cstring>

void FormatLimitText(int32_t offMode, int32_t limitSeconds, char* out) {
  std::memset(out, 0, 16);
  if (offMode != 0) {
    // Every 32-bit limit fits in 16 bytes; the wider scratch only reassures the compiler.
    char text[32];
    std::snprintf(text, sizeof text, "%d分%d秒", static_cast<int>(limitSeconds / 60),
                  static_cast<int>(limitSeconds % 60));
    std::memcpy(out, text, strnlen(text, 15));
  } else {
    std::snprintf(out, 16, "%s", "ﾀｲﾏｰOFF");
  }
}

const char* RunStateText(int32_t running) { return running != 0 ? "動作中" : "停止中"; }
