// Pixel figures at a display's DPI, window-free for testing. Every figure of
// the tool is given at 96 DPI and comes back unchanged there.
#pragma once

constexpr int kBaseDpi = 96;

// Any DPI outside this range is taken as a message's nonsense, not a display.
constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 960;

// value * toDpi / fromDpi, rounded half away from zero as MulDiv does, so a
// width scaled from 96 and one scaled step by step land on the same pixel.
// Both DPIs are real ones (kMinDpi to kMaxDpi); the same DPI gives value.
int RescaleForDpi(int value, int fromDpi, int toDpi);

inline int ScaleForDpi(int value, int dpi) { return RescaleForDpi(value, kBaseDpi, dpi); }

// The drawn picture size for dpi, in percent: 100, 150 or 200, whichever is
// nearest; a tie goes to the smaller, which the 96-DPI band was laid out for.
int PictureScale(int dpi);

// A picture of basePixels at 100 %, at the size drawn for dpi.
inline int PictureSize(int basePixels, int dpi) { return basePixels * PictureScale(dpi) / 100; }
