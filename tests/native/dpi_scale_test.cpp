// Pixel figures at a DPI: unchanged at 96 and rounded half away from zero as
// MulDiv rounds (a font height is negative). The picture size for a DPI is
// pinned by the main window's layout table.
#include "check.h"
#include "common/dpi_scale.h"

TEST(DpiScale, FiguresRoundAsMulDivRounds) {
  EXPECT_EQ(Ints({RescaleForDpi(190, 96, 96), RescaleForDpi(190, 96, 120), RescaleForDpi(-13, 96, 144),
                  RescaleForDpi(7, 0, 144)}),
            Ints({190, 238, -20, 7}));
}
