#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  if (GetACP() != 932) {
    fprintf(stderr, "the tests need code page 932 (run them under LC_ALL=ja_JP.UTF-8), got %u\n", GetACP());
    return 2;
  }
  return RUN_ALL_TESTS();
}
