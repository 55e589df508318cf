#include "runner/status_format.h"

#include <cstdio>
#include <cstring>

#include "common/cp932.h"

void FormatLimitText(int32_t offMode, int32_t limitSeconds, char* out, size_t size) {
  char text[kLimitTextSize] = "ﾀｲﾏｰOFF";
  if (offMode != 0) {
    std::snprintf(text, sizeof text, "%d分%d秒", static_cast<int>(limitSeconds / 60),
                  static_cast<int>(limitSeconds % 60));
  }
  cp932::CopyCut(out, size, text, std::strlen(text));
}

const char* RunStateText(int32_t running) { return running != 0 ? "動作中" : "停止中"; }
