// Pixel figures at a DPI rounded half away from zero as MulDiv rounds (a font
// height is negative). Figures at 96 and the picture size for a DPI are pinned
// by the main window's layout table.
#include "check.h"
#include "common/dpi_scale.h"

TEST(DpiScale, FiguresRoundAsMulDivRounds) {
  EXPECT_EQ(Ints({RescaleForDpi(190, 96, 120), RescaleForDpi(-13, 96, 144), RescaleForDpi(7, 0, 144)}),
            Ints({238, -20, 7}));
}
