#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "packs/journal_file.h"
#include "app/messages.h"
#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::Journal;
using tarnwick::JournalOperation;

using Names = std::vector<std::wstring>;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The game folder holds a file of its own that pack A replaces, as players' folders do.
struct SwitchGame : TestGame {
  SwitchGame() {
    writeBytes(*this / L"expandmd01.mix", "game mix");
    a = addPack(L"A", {{L"a.map", "a"}, {L"expandmd01.mix", "A mix"}, {L"rulesmd.ini", "A rules"}, {L"ra2md.csf", "A csf"}});
    b = addPack(L"B", {{L"b.map", "b"}, {L"rulesmd.ini", "B rules"}});
    before = filesIn(dir());
  }
  FileContents with(const FileContents& pack) const {
    FileContents files = before;
    for (const auto& [name, bytes] : pack) files[name] = bytes;
    return files;
  }
  std::wstring a, b;
  FileContents before;
};

// Installing B over A: No changes nothing; Yes takes A out first, so the game folder holds
// the game's own files and exactly B's, and B's removal leaves it as it was before A.
TEST(PackSwitch, AnotherPackIsTakenOutFirstOnlyOnYes) {
  for (const bool restart : {false, true}) {
    SwitchGame game;
    auto form = game.open();
    choosePack(*form, L"A");
    form->Command3_Click();
    const FileContents withA = filesIn(game.dir());
    if (restart) {
      closeWindow(*form);
      form = game.open();
    }
    choosePack(*form, L"B");
    game.log.answers = {false, true};
    form->Command3_Click();
    EXPECT_EQ(filesIn(game.dir()), withA) << restart;
    EXPECT_EQ(form->caption(13), L"A") << restart;
    form->Command3_Click();

    EXPECT_EQ(game.log.questions, Names(2, L"正在使用地图包“A”。先移除它，再复制“B”吗？")) << restart;
    EXPECT_EQ(filesIn(game.dir()), game.with({{L"b.map", "b"}, {L"rulesmd.ini", "B rules"}})) << restart;
    EXPECT_EQ(filesIn(game.kept()), (FileContents{{L"rulesmd.ini", TestGame::kGameRules}})) << restart;
    EXPECT_EQ(listItems(*form), (Names{L"b.map", L"rulesmd.ini"})) << restart;
    EXPECT_EQ(readBytes(game.record()), ansi(game.b) + "\r\nB\r\n 2 \r\nb.map\r\nrulesmd.ini\r\n") << restart;

    form->Command4_Click();
    EXPECT_EQ(filesIn(game.dir()), game.before) << restart;
    EXPECT_TRUE(filesIn(game.kept()).empty()) << restart;
    EXPECT_EQ(readBytes(game.record()), "") << restart;
    EXPECT_TRUE(game.log.messages.empty()) << restart;
  }
}

// The same pack again, without a question: a file taken out of its folder since doesn't
// stay behind in the game folder.
TEST(PackSwitch, TheSamePackAgainLeavesNoFileOfItsOldContent) {
  SwitchGame game;
  auto form = game.open();
  choosePack(*form, L"A");
  form->Command3_Click();
  ::DeleteFileW((game.a + L"\\expandmd01.mix").c_str());
  choosePack(*form, L"A");
  form->Command3_Click();
  EXPECT_TRUE(game.log.questions.empty());
  EXPECT_EQ(filesIn(game.dir()), game.with({{L"a.map", "a"}, {L"rulesmd.ini", "A rules"}, {L"ra2md.csf", "A csf"}}));
  EXPECT_EQ(listItems(*form), (Names{L"a.map", L"ra2md.csf", L"rulesmd.ini"}));
  form->Command4_Click();
  EXPECT_EQ(filesIn(game.dir()), game.before);
  EXPECT_TRUE(filesIn(game.kept()).empty());
  EXPECT_TRUE(game.log.messages.empty());
}

// A pack in use that can't be taken out wholly: nothing of the chosen pack is copied, one
// message names the file, and the window and the record say what is still installed.
TEST(PackSwitch, StopsBeforeCopyingWhenThePackInUseStays) {
  SwitchGame game;
  auto form = game.open();
  choosePack(*form, L"A");
  form->Command3_Click();
  choosePack(*form, L"B");
  game.log.answers = {true};
  {
    HeldOpen held(game / L"a.map");
    form->Command3_Click();
  }
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], L"a.map")) << game.log.messages[0].size();
  EXPECT_TRUE(contains(game.log.messages[0], tarnwick::systemErrorText(ERROR_SHARING_VIOLATION)));
  EXPECT_TRUE(contains(game.log.messages[0], L"“B”"));
  EXPECT_EQ(filesIn(game.dir()), game.with({{L"a.map", "a"}}));
  EXPECT_EQ(listItems(*form), Names{L"a.map"});
  EXPECT_EQ(form->caption(13), L"A");
  EXPECT_EQ(readBytes(game.record()), ansi(game.a) + "\r\nA\r\n 1 \r\na.map\r\n");
  form->Command4_Click();
  EXPECT_EQ(filesIn(game.dir()), game.before);
}

// The program killed at a step of an install or a removal of A: the next start finds the
// journal, lists what is really in place, and one removal brings the game folder back.
TEST(PackSwitch, AnInterruptedOperationIsFinishedAtTheNextStart) {
  using Step = std::function<void(SwitchGame&)>;
  const Journal install{JournalOperation::Install, L"", L"A",
                        {{L"a.map", false}, {L"expandmd01.mix", true}, {L"rulesmd.ini", true}, {L"ra2md.csf", false}}};
  const Journal removal{JournalOperation::Removal, L"", L"",
                        {{L"a.map", false}, {L"expandmd01.mix", true}, {L"rulesmd.ini", true}, {L"ra2md.csf", false}}};
  const Step keptRules = [](SwitchGame& g) {
    writeBytes(g.kept() + L"\\expandmd01.mix", "game mix");
    writeBytes(g.kept() + L"\\rulesmd.ini", TestGame::kGameRules);
  };
  const Step installed = [&](SwitchGame& g) {
    keptRules(g);
    for (const auto& [name, bytes] : filesIn(g.a)) writeBytes(g / name, bytes);
  };
  struct Case {
    const char* what;
    const Journal& journal;
    Step step;
    Names listed;  // after the start
  };
  const Case cases[] = {
      {"install: journal written", install, [](SwitchGame& g) { writeBytes(g / L"a.map.tarnwick-partial", "a"); },
       {L"ra2md.csf"}},  // a string table is listed whenever there: its removal only restores it
      {"install: first file copied", install, [](SwitchGame& g) { writeBytes(g / L"a.map", "a"); },
       {L"a.map", L"ra2md.csf"}},
      {"install: original kept, not yet replaced", install,
       [&](SwitchGame& g) {
         keptRules(g);
         writeBytes(g / L"a.map", "a");
         writeBytes(g / L"rulesmd.ini.tarnwick-partial", "A rules");
         writeBytes(g.kept() + L"\\ra2md.csf.tarnwick-partial", "x");
       },
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"install: all in place, no record yet", install, installed,
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"removal: originals put back", removal,
       [&](SwitchGame& g) {
         installed(g);
         writeBytes(g.record(), "P\r\nA\r\n 4 \r\na.map\r\nexpandmd01.mix\r\nra2md.csf\r\nrulesmd.ini\r\n");
         ::MoveFileExW((g.kept() + L"\\rulesmd.ini").c_str(), (g / L"rulesmd.ini").c_str(), MOVEFILE_REPLACE_EXISTING);
         writeBytes(g / L"ra2md.csf", TestGame::kGameTable);
       },
       {L"a.map", L"expandmd01.mix", L"ra2md.csf"}},
      {"removal: all done, no record yet", removal,
       [&](SwitchGame& g) {
         writeBytes(g.record(), "P\r\nA\r\n 4 \r\na.map\r\nexpandmd01.mix\r\nra2md.csf\r\nrulesmd.ini\r\n");
         writeBytes(g / L"ra2md.csf.tarnwick-partial", "x");
       },
       {L"ra2md.csf"}},
  };
  for (const Case& c : cases) {
    SwitchGame game;
    Journal journal = c.journal;
    journal.packPath = game.a;
    ASSERT_EQ(tarnwick::writeJournal(game.dir(), journal), static_cast<DWORD>(NO_ERROR));
    c.step(game);
    auto form = game.open();
    EXPECT_EQ(listItems(*form), c.listed) << c.what;
    EXPECT_EQ(form->caption(13), c.listed.empty() ? L"未知" : L"A") << c.what;
    EXPECT_EQ(filesIn(game.kept()).count(L"operation.tarnwick-journal"), 0u) << c.what;
    form->Command4_Click();
    EXPECT_EQ(filesIn(game.dir()), game.before) << c.what;
    EXPECT_TRUE(filesIn(game.kept()).empty()) << c.what;
    EXPECT_EQ(readBytes(game.record()), "") << c.what;
    EXPECT_TRUE(game.log.messages.empty()) << c.what;
  }
}

}  // namespace
