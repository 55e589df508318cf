// Texts of the status bar, window-free.
#pragma once
#include <cstddef>
#include <cstdint>

// Room for every limit text: the longest, "-35791393分-59秒", is 16 bytes.
// The limit comes from a hand-editable settings file, so any 32-bit value.
constexpr size_t kLimitTextSize = 17;

// The status bar's limit: "%d分%d秒" when forced termination is on, else
// "ﾀｲﾏｰOFF", into out (size bytes, zero-filled first). kLimitTextSize bytes
// show every limit whole; a smaller out gets the text cut at a character
// boundary.
void FormatLimitText(int32_t offMode, int32_t limitSeconds, char* out, size_t size);
// The status bar's run state: "動作中" while a run is in progress, else "停止中".
const char* RunStateText(int32_t running);
