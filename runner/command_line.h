// The command line of one launch, window-free.
#pragma once
#include <cstddef>

// Room for the longest pieces the records allow: a 255-byte program, two
// 63-byte options, a 511-byte path, four quotes and one blank (897 bytes)
// and the terminating zero.
constexpr size_t kCommandLineSize = 1024;

// Quote, program, quote, blank, op_m1, quote, path, quote, op_m2 into out
// (zero-filled first). op_m1 is glued to the path's opening quote and op_m2
// to its closing one. The program is read up to 255 bytes, the options up to
// 63 and the path up to 511, as their records hold. Returns false, leaving
// out empty, when the pieces do not fit into outSize bytes.
bool BuildCommandLine(const char* program, const char* opM1, const char* opM2, const char* path, char* out,
                      size_t outSize);
