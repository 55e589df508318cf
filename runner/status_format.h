// Texts of the status bar, window-free.
#pragma once
#include <cstdint>

// Part 1: "%d分%d秒" from the limit when forced termination is on, else "ﾀｲﾏｰOFF".
// out holds at least 16 bytes.
void FormatLimitText(int32_t offMode, int32_t limitSeconds, char* out);
// Part 2: "動作中" while a run is in progress, else "停止中".
const char* RunStateText(int32_t running);
