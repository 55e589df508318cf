// Pixel figures at a DPI: unchanged at 96, rounded as MulDiv rounds, and the
// drawn picture size nearest to the DPI, ties to the smaller.
#include "check.h"
#include "common/dpi_scale.h"

TEST(DpiScale, FiguresRoundHalfAwayFromZeroAndPicturesTakeTheNearestSize) {
  Ints got;  // a column width, a font height (negative) and a DPI of nothing, which leaves a figure as it is
  for (int to : {96, 120, 144}) got.insert(got.end(), {RescaleForDpi(190, 96, to), RescaleForDpi(-13, 96, to)});
  got.push_back(RescaleForDpi(7, 0, 144));
  EXPECT_EQ(got, Ints({190, -13, 238, -16, 285, -20, 7}));
  Ints scales;
  for (int dpi : {72, 96, 120, 121, 168, 169, 288}) scales.push_back(PictureScale(dpi));
  EXPECT_EQ(scales, Ints({100, 100, 100, 150, 150, 200, 200}));
}
