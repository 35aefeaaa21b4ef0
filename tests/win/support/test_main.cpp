#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

// Windows tests run with the common controls ready, as the program starts them; COM is
// started by the program itself where it needs it.
int main(int argc, char** argv) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
