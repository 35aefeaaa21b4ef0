#include "packs/listed_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

TEST(ListedName, AcceptsOnlyNamesDirectlyInTheFolder) {
  const std::vector<std::wstring> plain = {
      L"b1.map", L"ra2md.csf", L"地图包 一.map", L"my map.jpg", L"A&B.map", L".hidden", L"a..b",
      L"name with ~!@#$%^()[]{}'.map",
      // Near the names of devices, but not one.
      L"CON1", L"COM10", L"LPT", L"console.map", L"xnul", L"com1x.map", L".aux", L"conin.txt", L"COM\u2074"};
  for (const auto& name : plain) EXPECT_TRUE(isPlainFileName(name)) << ::testing::PrintToString(name);

  const std::vector<std::wstring> refused = {
      L"", L".", L"..", L"...", L" ", L". .", L"..\\x.map", L"x\\y", L"../x", L"x/y",
      L"C:\\Windows\\x.dll", L"C:x", L"a.map:stream", L"\\\\server\\share", L"a<b", L"a>b",
      L"a\"b", L"a|b", L"a?b", L"*.map", std::wstring(L"a\0b", 3), L"a\tb", L"a\nb",
      L"a\x1F", L"trailing.", L"trailing ",
      // Devices, in any case, with an extension, with spaces before it.
      L"CON", L"prn", L"Aux", L"nul.txt", L"com1", L"COM0", L"com9.ini", L"LPT1", L"lpt0.map", L"Lpt9",
      L"CONIN$", L"conout$.log", L"nul .map", L"con.a.b", L"COM\u00B9", L"lpt\u00B2.txt", L"COM\u00B3"};
  for (const auto& name : refused) EXPECT_FALSE(isPlainFileName(name)) << ::testing::PrintToString(name);
}

}  // namespace
}  // namespace tarnwick
