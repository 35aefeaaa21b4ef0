#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/com_init.h"

// Windows tests run with COM and the common controls ready, as the program does.
int main(int argc, char** argv) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  const tarnwick::ComInit com;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
