#include "packs/name_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

struct PatternCase {
  std::wstring name;
  std::wstring patterns;
  bool matches;
};

TEST(NamePattern, MatchesListsOfWildcards) {
  const std::vector<PatternCase> cases = {
      {L"b1.jpg", L"*.jpg;*.bmp", true}, {L"b1.bmp", L"*.jpg;*.bmp", true},
      {L"b1.map", L"*.jpg;*.bmp", false}, {L"B1.JPG", L"*.jpg", true}, {L"b1.jpg", L"*.JPG", true},
      {L"b1.jpgx", L"*.jpg", false}, {L"xb1.jpg", L"b1.*", false}, {L"b1.jpg", L" *.map ; *.jpg ", true},
      {L"anything", L"", true}, {L"no dot", L"*.*", true}, {L"", L"*", true}, {L"a.b.c", L"*", true},
      {L"a.map", L";", true}, {L"a.map", L"*.jpg;", false},
      {L"ab", L"a?", true}, {L"a", L"a?", false}, {L"abc", L"a?", false}, {L"地图.map", L"??.map", true},
      {L"地图.MAP", L"地图.map", true}, {L"Ä.map", L"ä.map", false},
      {L"abcabd", L"*ab?", true}, {L"aaa", L"a*a*a", true}, {L"aa", L"a*a*a", false},
      {L"mission.map", L"m*i*.m*p", true}, {L"mission.mpx", L"m*i*.m*p", false}, {L"x", L"**?**", true},
  };
  for (const auto& [name, patterns, matches] : cases) {
    EXPECT_EQ(matchesPattern(name, patterns), matches)
        << ::testing::PrintToString(name) << " against " << ::testing::PrintToString(patterns);
  }
}

TEST(NamePattern, ManyStarsStayFast) {
  const std::wstring name(20000, L'a');
  EXPECT_FALSE(matchesPattern(name, L"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(matchesPattern(name + L"b", L"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace tarnwick
