#include "runner/command_line.h"

#include <cstring>

namespace {

struct Piece {
  const char* text;
  size_t len;
};

}  // namespace

bool BuildCommandLine(const char* program, const char* opM1, const char* opM2, const char* path, char* out,
                      size_t outSize) {
  std::memset(out, 0, outSize);
  const Piece pieces[] = {
      {"\"", 1}, {program, strnlen(program, 255)}, {"\" ", 2}, {opM1, strnlen(opM1, 63)},
      {"\"", 1}, {path, strnlen(path, 511)},       {"\"", 1},  {opM2, strnlen(opM2, 63)},
  };
  size_t total = 0;
  for (const Piece& piece : pieces) total += piece.len;
  if (total >= outSize) return false;
  size_t at = 0;
  for (const Piece& piece : pieces) {
    std::memcpy(out + at, piece.text, piece.len);
    at += piece.len;
  }
  return true;
}
