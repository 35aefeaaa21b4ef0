// Installing and removing packs through the main window's buttons, as the player does:
// what the game folder, the kept originals and the record (cofin.txt) hold afterwards,
// and what the player is told.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/message_boxes.h"
#include "app/messages.h"
#include "app/texts.h"
#include "game/running_game.h"
#include "packs/journal_file.h"
#include "support/files.h"
#include "support/stand_in_game.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::systemErrorText;
using Names = std::vector<std::wstring>;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The record of the pack "P" listing `files`.
std::string recordOf(const Names& files) {
  std::wstring text = L"P\r\nP\r\n " + std::to_wstring(files.size()) + L" \r\n";
  for (const auto& file : files) text += file + L"\r\n";
  return ansi(text);
}

std::unique_ptr<tarnwick::Form1> openWithRecord(TestGame& game, const Names& files) {
  writeBytes(game.record(), recordOf(files));
  return game.open();
}

// Nothing chosen (at start, or after typing into the combo), a pack without maps, and
// packs with a name the record can't hold (it would come back as another name, whose file
// could never be removed), a device's name, or a name like the program's own temporary
// files (deleted at the next start after a crash): each is refused before anything is
// copied, and says why.
TEST(PackInstall, RefusesWhatItCannotInstall) {
  TestGame game;
  ASSERT_EQ(::GetACP(), 936u) << "the test run must use the players' code page";
  const std::wstring thai = L"\u0E01";
  game.addPack(L"Maps", {{L"m.map", "map"}});
  game.addPack(L"Pictures", {{L"p.jpg", "jpg"}});
  game.addPack(L"Thai file", {{L"a.map", "a"}, {thai + L".ini", "x"}});
  game.addPack(thai, {{L"a.map", "a"}});
  // Only a path that skips the device names can make such a file. A device this machine
  // doesn't have: were the rule broken, Wine would write to and unlink the device's file.
  writeBytes(L"\\\\?\\" + game.addPack(L"Device", {{L"a.map", "a"}}) + L"\\Com9.ini", "x");
  game.addPack(L"Own name", {{L"a.map", "a"}, {L"b.MAP.Tarnwick-Partial", "x"}});
  struct Case {
    std::wstring pack;  // none: nothing chosen yet
    bool typed;         // the choice undone by typing into the combo
    std::wstring said;
  };
  const Case cases[] = {
      {L"", false, tarnwick::texts::kChoosePack},
      {L"Maps", true, tarnwick::texts::kChoosePack},
      {L"Pictures", false, tarnwick::texts::kChoosePack},
      {L"Thai file", false, thai + L".ini"},
      {thai, false, game.packs() + L"\\" + thai},
      {L"Device", false, L"“Com9.ini”"},
      {L"Own name", false, L"b.MAP.Tarnwick-Partial"},
  };
  const FileContents before = filesIn(game.dir());
  auto form = game.open();
  for (const Case& c : cases) {
    if (!c.pack.empty()) choosePack(*form, c.pack);
    if (c.typed) ::SendMessageW(form->Combo1(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    game.log.messages.clear();
    form->Command3_Click();
    ASSERT_EQ(game.log.messages.size(), 1u) << testing::PrintToString(c.pack);
    EXPECT_TRUE(contains(game.log.messages[0], c.said)) << testing::PrintToString(game.log.messages[0]);
  }
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(listItems(*form).empty());
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_FALSE(exists(game.record()));
}

// A failed step stops the install and says which file and why: the game's own file is
// untouched and no copy of it stays kept, no temporary file is left, and List1 and the
// record say exactly what was copied, so the pack can be removed again. A record that
// can't be written stops the install before the first copy.
TEST(PackInstall, AFailureStopsItAndTheRecordSaysWhatIsInPlace) {
  struct Case {
    const char* what;
    std::function<void(TestGame&, const std::wstring& pack)> provoke;
    std::wstring held;  // held open during the install, in the game folder
    std::wstring said;  // in the message, with the system's words for `error`
    DWORD error;
    Names copied;
  };
  const Case cases[] = {
      {"game's file read-only", [](TestGame& g, auto&) { addAttributes(g / L"rulesmd.ini", FILE_ATTRIBUTE_READONLY); },
       L"", L"rulesmd.ini", ERROR_ACCESS_DENIED, {L"a.map"}},
      {"game's file in use", nullptr, L"rulesmd.ini", L"rulesmd.ini", ERROR_SHARING_VIOLATION, {L"a.map"}},
      {"pack's file gone", [](TestGame&, auto& pack) { ::DeleteFileW((pack + L"\\rulesmd.ini").c_str()); }, L"",
       L"rulesmd.ini", ERROR_FILE_NOT_FOUND, {L"a.map"}},
      {"game's own file can't be kept",
       [](TestGame& g, auto&) {
         makeFolder(g.kept());
         makeFolder(g.kept() + L"\\rulesmd.ini");  // where its copy should go
       },
       L"", L"rulesmd.ini", ERROR_ACCESS_DENIED, {L"a.map"}},
      {"record in use", [](TestGame& g, auto&) { writeBytes(g.record(), ""); }, L"ZAzod\\cofin.txt",
       L"ZAzod\\cofin.txt", ERROR_ACCESS_DENIED, {}},
  };
  for (const Case& c : cases) {
    TestGame game;
    const std::wstring pack = game.addPack(L"P", {{L"a.map", "a"}, {L"rulesmd.ini", "pack rules"}, {L"z.jpg", "z"}});
    auto form = game.open();
    choosePack(*form, L"P");
    if (c.provoke) c.provoke(game, pack);
    FileContents expected = filesIn(game.dir());
    for (const auto& name : c.copied) expected[name] = *readBytes(pack + L"\\" + name);
    {
      std::optional<HeldOpen> held;
      if (!c.held.empty()) held.emplace(game / c.held);
      form->Command3_Click();
    }
    ASSERT_EQ(game.log.messages.size(), 1u) << c.what;
    const std::wstring& message = game.log.messages[0];
    EXPECT_TRUE(contains(message, c.said)) << c.what << ": " << testing::PrintToString(message);
    EXPECT_TRUE(contains(message, systemErrorText(c.error))) << c.what << ": " << testing::PrintToString(message);
    EXPECT_EQ(filesIn(game.dir()), expected) << c.what;
    EXPECT_TRUE(filesIn(game.kept()).empty()) << c.what;
    EXPECT_EQ(filesIn(game.packs()).size(), 3u) << c.what << ": cofin.txt, ra2md.csf and the lock, no temporary file";
    EXPECT_EQ(listItems(*form), c.copied) << c.what;
    EXPECT_EQ(form->caption(13), c.copied.empty() ? L"未知" : L"P") << c.what;
    EXPECT_EQ(readBytes(game.record()), c.copied.empty() ? "" : ansi(pack) + "\r\nP\r\n 1 \r\na.map\r\n") << c.what;
  }
}

// Chinese names go into the record as code page 936 bytes and come back the same at the
// next start. A record that can't be written at close is reported, and the window closes
// all the same.
TEST(InstalledRecord, ChineseNamesGoThroughTheRecordInCodePage936) {
  TestGame game;
  const std::wstring folder = game.addPack(L"中文地图", {{L"地图一.map", "map"}});
  auto form = game.open();
  choosePack(*form, L"中文地图");
  form->Command3_Click();
  const std::string chinese = "\xD6\xD0\xCE\xC4\xB5\xD8\xCD\xBC";
  const std::string record =
      ansi(game.packs()) + "\\" + chinese + "\r\n" + chinese + "\r\n 1 \r\n\xB5\xD8\xCD\xBC\xD2\xBB.map\r\n";
  EXPECT_EQ(readBytes(game.record()), record);
  const HWND window = form->hwnd();
  {
    HeldOpen held(game.record());
    closeWindow(*form);
  }
  EXPECT_FALSE(::IsWindow(window));
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.record() + L"：")) << "followed by the reason";

  form = game.open();
  EXPECT_EQ(form->caption(13), L"中文地图");
  EXPECT_EQ(form->caption(15), folder);
  EXPECT_EQ(listItems(*form), Names{L"地图一.map"});
}

// The stand-in game, started as the player would; ended when the test is done with it.
class RunningStandIn {
 public:
  explicit RunningStandIn(std::wstring program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), program.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
      throw std::runtime_error("the stand-in game did not start");
    }
    ::CloseHandle(started.hThread);
    process_.reset(started.hProcess);
  }
  ~RunningStandIn() {
    ::TerminateProcess(process_.get(), 0);
    ::WaitForSingleObject(process_.get(), 10000);
  }

 private:
  tarnwick::UniqueKernelObject process_;
};

TEST(RunningGame, InstallAndRemovalWaitUntilTheGameHasEnded) {
  TestGame game;
  const std::wstring expansion = game / L"gamemd.exe";
  ASSERT_TRUE(::CopyFileW(standInGameExe().c_str(), expansion.c_str(), FALSE));
  game.addPack(L"New", {{L"new.map", "new"}});
  writeBytes(game / L"old.map", "old");
  auto form = openWithRecord(game, {L"old.map"});
  choosePack(*form, L"New");
  {
    RunningStandIn running(expansion);
    ASSERT_FALSE(waitForLaunchLog(game.dir()).empty());
    std::wstring shouted = expansion;
    ::CharUpperW(shouted.data());
    EXPECT_EQ(tarnwick::firstRunningProgram({L"未知", shouted}), shouted) << "the same file, whatever the case";
    EXPECT_EQ(tarnwick::firstRunningProgram({game.temp() / L"gamemd.exe"}), std::nullopt) << "another folder";

    form->Command4_Click();
    form->Command3_Click();
    EXPECT_EQ(game.log.messages, Names(2, tarnwick::texts::gameRunning(expansion)));
    EXPECT_EQ(readBytes(game / L"old.map"), "old");
    EXPECT_FALSE(exists(game / L"new.map"));
    EXPECT_EQ(readBytes(game.record()), recordOf({L"old.map"}));
  }
  game.log.messages.clear();
  form->Command4_Click();
  form->Command3_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_FALSE(exists(game / L"old.map"));
  EXPECT_TRUE(exists(game / L"new.map"));
}

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

// Installing B over A asks first: No changes nothing; Yes takes A out first, and when a
// file of A stays, copies nothing of B; once A is wholly out, the game folder holds the
// game's own files and exactly B's. The same pack again is taken out without asking, so
// a file that left its folder since doesn't stay behind. Its removal leaves the game
// folder as it was before A, also across a restart.
TEST(PackSwitch, AnotherPackIsTakenOutFirstOnlyOnYes) {
  for (const bool restart : {false, true}) {
    SwitchGame game;
    addAttributes(game.b + L"\\b.map", FILE_ATTRIBUTE_READONLY);
    auto form = game.open();
    choosePack(*form, L"A");
    form->Command3_Click();
    const FileContents withA = filesIn(game.dir());
    if (restart) {
      closeWindow(*form);
      form = game.open();
      EXPECT_EQ(comboItems(form->Combo1()), (Names{L"A", L"B"})) << "the kept originals' folder is no pack";
    }
    choosePack(*form, L"B");
    game.log.answers = {false, true, true};
    form->Command3_Click();
    EXPECT_EQ(filesIn(game.dir()), withA) << restart;
    {
      HeldOpen held(game / L"a.map");
      form->Command3_Click();
    }
    ASSERT_EQ(game.log.messages.size(), 1u) << restart;
    EXPECT_TRUE(contains(game.log.messages[0], L"a.map：" + systemErrorText(ERROR_SHARING_VIOLATION))) << restart;
    EXPECT_TRUE(contains(game.log.messages[0], L"“B”")) << restart;
    EXPECT_EQ(filesIn(game.dir()), game.with({{L"a.map", "a"}})) << restart;
    EXPECT_EQ(listItems(*form), Names{L"a.map"}) << restart;
    EXPECT_EQ(form->caption(13), L"A") << restart;
    EXPECT_EQ(readBytes(game.record()), ansi(game.a) + "\r\nA\r\n 1 \r\na.map\r\n") << restart;

    game.log.messages.clear();
    form->Command3_Click();
    EXPECT_EQ(game.log.questions, Names(3, L"正在使用地图包“A”。先移除它，再复制“B”吗？")) << restart;
    EXPECT_EQ(filesIn(game.dir()), game.with({{L"b.map", "b"}, {L"rulesmd.ini", "B rules"}})) << restart;
    EXPECT_EQ(filesIn(game.kept()), (FileContents{{L"rulesmd.ini", TestGame::kGameRules}})) << restart;
    EXPECT_EQ(listItems(*form), (Names{L"b.map", L"rulesmd.ini"})) << restart;
    EXPECT_EQ(readBytes(game.record()), ansi(game.b) + "\r\nB\r\n 2 \r\nb.map\r\nrulesmd.ini\r\n") << restart;
    EXPECT_EQ(::GetFileAttributesW((game / L"b.map").c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << "installed writable";

    ::DeleteFileW((game.b + L"\\rulesmd.ini").c_str());
    choosePack(*form, L"B");
    form->Command3_Click();
    EXPECT_EQ(game.log.questions.size(), 3u) << restart;
    EXPECT_EQ(filesIn(game.dir()), game.with({{L"b.map", "b"}})) << restart;
    EXPECT_EQ(listItems(*form), Names{L"b.map"}) << restart;

    form->Command4_Click();
    EXPECT_EQ(filesIn(game.dir()), game.before) << restart;
    EXPECT_TRUE(filesIn(game.kept()).empty()) << restart;
    EXPECT_EQ(readBytes(game.record()), "") << restart;
    EXPECT_TRUE(game.log.messages.empty()) << restart;
  }
}

// The program killed at a step of an install or a removal of A: the next start finds the
// journal, lists what is really in place, and one removal brings the game folder back.
TEST(PackSwitch, AnInterruptedOperationIsFinishedAtTheNextStart) {
  using Step = std::function<void(SwitchGame&)>;
  const std::vector<tarnwick::JournalEntry> entries = {
      {L"a.map", false}, {L"expandmd01.mix", true}, {L"rulesmd.ini", true}, {L"ra2md.csf", false}};
  const std::string recordOfA = "P\r\nA\r\n 4 \r\na.map\r\nexpandmd01.mix\r\nra2md.csf\r\nrulesmd.ini\r\n";
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
    tarnwick::JournalOperation operation;
    Step step;
    Names listed;  // after the start
  };
  using enum tarnwick::JournalOperation;
  const Case cases[] = {
      {"install: journal written", Install, [](SwitchGame& g) { writeBytes(g / L"a.map.tarnwick-partial", "a"); },
       {L"ra2md.csf"}},  // a string table is listed whenever there: its removal only restores it
      {"install: first file copied", Install, [](SwitchGame& g) { writeBytes(g / L"a.map", "a"); },
       {L"a.map", L"ra2md.csf"}},
      {"install: original kept, not yet replaced", Install,
       [&](SwitchGame& g) {
         keptRules(g);
         writeBytes(g / L"a.map", "a");
         writeBytes(g / L"rulesmd.ini.tarnwick-partial", "A rules");
         writeBytes(g.kept() + L"\\ra2md.csf.tarnwick-partial", "x");
       },
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"install: all in place, no record yet", Install, installed,
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"removal: originals put back", Removal,
       [&](SwitchGame& g) {
         installed(g);
         writeBytes(g.record(), recordOfA);
         ::MoveFileExW((g.kept() + L"\\rulesmd.ini").c_str(), (g / L"rulesmd.ini").c_str(), MOVEFILE_REPLACE_EXISTING);
         writeBytes(g / L"ra2md.csf", TestGame::kGameTable);
       },
       {L"a.map", L"expandmd01.mix", L"ra2md.csf"}},
      {"removal: all done, no record yet", Removal,
       [&](SwitchGame& g) {
         writeBytes(g.record(), recordOfA);
         writeBytes(g / L"ra2md.csf.tarnwick-partial", "x");
       },
       {L"ra2md.csf"}},
  };
  for (const Case& c : cases) {
    SwitchGame game;
    const tarnwick::Journal journal{c.operation, game.a, c.operation == Install ? L"A" : L"", entries};
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

// A record edited by hand, and files changed since the install: a removal takes out every
// listed file it may and can, puts the game's own files back (its string table even when
// not listed), and names in one message what it had to leave listed: names that reach
// outside the game folder or a device, folders, files in use. A pack's file already gone
// stays listed without a word, unless the game's own file is kept: that comes back. A
// record that can't be written stops the removal before it begins.
TEST(PackRemoval, TakesOutWhatItMayAndNamesWhatStays) {
  TestGame game;
  const std::wstring outside = game.temp() / L"outside.txt";
  writeBytes(outside, "keep me");
  makeFolder(game / L"Maps");
  writeBytes(game / L"Maps\\inside.map", "inside");
  for (const wchar_t* name : {L"a.map", L"read-only.map", L"in use.ini", L"rulesmd.ini"}) writeBytes(game / name, "p");
  addAttributes(game / L"read-only.map", FILE_ATTRIBUTE_READONLY);
  writeBytes(game / L"ra2md.csf", "pack csf");
  makeFolder(game.kept());
  writeBytes(game.kept() + L"\\rulesmd.ini", TestGame::kGameRules);
  writeBytes(game.kept() + L"\\expandmd01.mix", "game mix");
  // Devices this machine doesn't have: were the rule broken, Wine would unlink their files.
  const Names unsafe = {L"..\\outside.txt", outside, L"", L"..", L"Maps\\inside.map", L"com9", L"LPT3.txt", L"Maps"};
  Names listed = unsafe;
  listed.insert(listed.end(), {L"a.map", L"read-only.map", L"gone.jpg", L"expandmd01.mix", L"in use.ini", L"rulesmd.ini"});
  auto form = openWithRecord(game, listed);
  {
    HeldOpen record(game.record());
    form->Command4_Click();
  }
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.record() + L"："));
  EXPECT_TRUE(exists(game / L"a.map")) << "nothing is touched";

  game.log.messages.clear();
  {
    HeldOpen inUse(game / L"in use.ini");
    HeldOpen rules(game / L"rulesmd.ini");
    form->Command4_Click();
  }
  EXPECT_EQ(readBytes(outside), "keep me");
  EXPECT_EQ(readBytes(game / L"Maps\\inside.map"), "inside");
  EXPECT_FALSE(exists(game / L"a.map"));
  EXPECT_FALSE(exists(game / L"read-only.map"));
  EXPECT_EQ(readBytes(game / L"expandmd01.mix"), "game mix");
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), TestGame::kGameTable);
  Names remaining = unsafe;
  remaining.insert(remaining.end(), {L"gone.jpg", L"in use.ini", L"rulesmd.ini"});
  EXPECT_EQ(listItems(*form), remaining);
  EXPECT_EQ(form->caption(13), L"P");
  EXPECT_EQ(readBytes(game.record()), recordOf(remaining));
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& report = game.log.messages[0];
  for (const auto& name : unsafe) EXPECT_TRUE(contains(report, L"“" + name + L"”")) << testing::PrintToString(name);
  EXPECT_TRUE(contains(report, L"in use.ini：" + systemErrorText(ERROR_SHARING_VIOLATION)));
  EXPECT_TRUE(contains(report, game.kept() + L"\\rulesmd.ini")) << "where the game's own file still is";

  game.log.messages.clear();
  form->Command4_Click();  // once the game let go, the next removal takes them out
  EXPECT_EQ(readBytes(game / L"rulesmd.ini"), TestGame::kGameRules);
  EXPECT_FALSE(exists(game / L"in use.ini"));
  EXPECT_TRUE(filesIn(game.kept()).empty());
  remaining.resize(remaining.size() - 2);
  EXPECT_EQ(listItems(*form), remaining);
}

// Without the pristine copy the string table is left as it is, even a pack's: deleting
// it would leave the game without one.
TEST(PackRemoval, WithoutThePristineCopyTheStringTableStays) {
  TestGame game;
  ::DeleteFileW((game.packs() + L"\\ra2md.csf").c_str());
  writeBytes(game / L"a.map", "a");
  writeBytes(game / L"ra2md.csf", "pack csf");
  auto form = openWithRecord(game, {L"a.map", L"ra2md.csf"});
  form->Command4_Click();
  EXPECT_FALSE(exists(game / L"a.map"));
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), "pack csf");
  EXPECT_EQ(listItems(*form), Names{L"ra2md.csf"});
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.packs() + L"\\ra2md.csf"));
}

RECT shownBox{};

// Measures the program's message box once it shows, and closes it.
void CALLBACK measureAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = ::FindWindowW(L"#32770", tarnwick::texts::kWindowTitle);
  if (box == nullptr || !::IsWindowVisible(box) || ::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId()) {
    return;
  }
  ::KillTimer(nullptr, timer);
  ::GetWindowRect(box, &shownBox);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Thousands of long names that can't be removed: the message names ten and counts the
// rest, and its box fits on the screen.
TEST(PackRemoval, ALongReportNamesTenAndFitsOnTheScreen) {
  TestGame game;
  Names listed;
  for (int i = 0; i < 3000; ++i) listed.push_back(L"<" + std::to_wstring(i) + std::wstring(400, L'x'));
  auto form = openWithRecord(game, listed);
  form->Command4_Click();
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& report = game.log.messages[0];
  EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                          [&](const std::wstring& name) { return contains(report, L"“" + name + L"”"); }),
            10);
  EXPECT_TRUE(contains(report, L"另有 2990 项未列出")) << report.substr(report.size() - 40);

  ::SetTimer(nullptr, 0, 50, measureAndCloseBox);
  tarnwick::showInformation(nullptr, report);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromRect(&shownBox, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT onScreen{};
  ::IntersectRect(&onScreen, &shownBox, &monitor.rcWork);
  EXPECT_FALSE(::IsRectEmpty(&shownBox)) << "no box was shown";
  EXPECT_TRUE(::EqualRect(&onScreen, &shownBox)) << "the box lies wholly in the screen's work area";
}

}  // namespace
