// Placement arithmetic of the main window, kept window-free for testing.
#pragma once

constexpr int kMainWidth = 600;
constexpr int kMainHeight = 480;
constexpr int kStatusPartEdges[4] = {400, 500, 600, -1};

// Integer division truncating toward zero: a screen narrower than the window
// gives a negative origin.
constexpr int CenteredOrigin(int screenExtent, int windowExtent) { return (screenExtent - windowExtent) / 2; }

struct Band {
  int x, y, width, height;
};

// The file list fills the client area from y 40 to 20 pixels above its bottom,
// whatever the toolbar's and status bar's real heights.
constexpr Band FileListBand(int clientWidth, int clientHeight) { return Band{0, 40, clientWidth, clientHeight - 60}; }
