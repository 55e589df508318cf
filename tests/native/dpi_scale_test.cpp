// Pixel figures at a DPI: rounded half away from zero as MulDiv rounds (a font
// height is negative), and the main window's figures with the drawn picture
// size nearest to the DPI, a tie going to the smaller.
#include "app/window_layout.h"
#include "check.h"

TEST(DpiScale, FiguresRoundAsMulDivAndPicturesTakeTheNearestDrawnSize) {
  Ints got = {RescaleForDpi(190, 96, 120), RescaleForDpi(-13, 96, 144), CenteredOrigin(500, 600)};
  for (int dpi : {96, 168, 169}) {
    const Band band = FileListBand(900, 700, dpi);
    const StatusParts parts = StatusPartEdges(dpi);
    got.insert(got.end(), {band.x, band.y, band.height, parts.edges[0], parts.edges[3], PictureSize(100, dpi)});
  }
  EXPECT_EQ(got, Ints({238, -20, -50, 0, 40, 640, 400, -1, 100, 0, 70, 595, 700, -1, 150, 0, 70, 595, 704, -1, 200}));
}
