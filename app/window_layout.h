// Placement arithmetic of the main window, kept window-free for testing. The
// figures are those of 96 DPI; each function takes the window's DPI.
#pragma once

#include "common/dpi_scale.h"

constexpr int kMainWidth = 600;
constexpr int kMainHeight = 480;
constexpr int kStatusPartEdges[4] = {400, 500, 600, -1};
constexpr int kToolbarImage = 32;  // the toolbar strip's images, square
constexpr int kRowImage = 12;      // the file list's row image, square

// Integer division truncating toward zero: a screen narrower than the window
// gives a negative origin.
constexpr int CenteredOrigin(int screenExtent, int windowExtent) { return (screenExtent - windowExtent) / 2; }

struct Band {
  int x, y, width, height;
};

// The file list fills the client area from y 40 to 20 pixels above its bottom,
// whatever the toolbar's and status bar's real heights.
inline Band FileListBand(int clientWidth, int clientHeight, int dpi = kBaseDpi) {
  int top = ScaleForDpi(40, dpi);
  return Band{0, top, clientWidth, clientHeight - top - ScaleForDpi(20, dpi)};
}

struct StatusParts {
  int edges[4];
};

// The status bar's part edges; the last part still reaches the right edge.
inline StatusParts StatusPartEdges(int dpi) {
  StatusParts parts = {};
  int* out = parts.edges;
  for (int edge : kStatusPartEdges) *out++ = edge == -1 ? -1 : ScaleForDpi(edge, dpi);
  return parts;
}
