// Installing and removing packs through the main window's buttons, as the player does:
// what the game folder, the kept originals and the record (cofin.txt) hold afterwards,
// and what the player is told.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "app/message_boxes.h"
#include "app/messages.h"
#include "app/texts.h"
#include "packs/journal_file.h"
#include "support/fixtures.h"
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

// The record as a stranger might leave it: a record of the pack P, then zeros (sparse, so
// quickly made) to one byte past the largest record read. It reads as nothing installed;
// read whole, it would list P's a.map (what follows the names is ignored).
void writeAbsurdlyLargeRecord(TestGame& game) {
  writeBytes(game.record(), recordOf({L"a.map"}));
  tarnwick::UniqueFile file(::CreateFileW(game.record().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(::SetFilePointerEx(file.get(), LARGE_INTEGER{.QuadPart = (64LL << 20) + 1}, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file.get()));
}

// A folder where the game's rulesmd.ini would be kept.
void blockKeptRules(TestGame& game) {
  makeFolder(game.kept());
  makeFolder(game.kept() + L"\\rulesmd.ini");
}

// Installing the pack P (a.map, rulesmd.ini, z.jpg) when it can't go well.
// Refused before anything is copied, saying why: the choice undone by typing into the
// combo, and packs with a name the record can't hold (it would come back as another name,
// whose file could never be removed), a device's name, a name like the program's own
// temporary files (deleted at the next start after a crash), or two names alike but for
// case (unpacked where case counts: in the game folder they would be one file).
// Stopped by a failed step, saying which file and why: the game's own file is untouched
// and no copy of it stays kept, no temporary file or journal is left, and List1 and the
// record say exactly what was copied, so the pack can be removed again. A record that
// can't be written stops the install before the first copy.
TEST(PackInstall, RefusedOrStoppedTheRecordSaysWhatIsInPlace) {
  const std::wstring thai = L"\u0E01";
  struct Case {
    const char* what;
    std::wstring pack = L"P";
    std::wstring extra{};  // one more file in the pack
    bool typed = false;  // the choice undone by typing into the combo
    void (*setUp)(TestGame&) = nullptr;  // before the window opens
    std::wstring held{};  // held open during the install, in the game folder
    std::wstring said;  // in the message, with the system's words for `error` if any
    DWORD error = NO_ERROR;
    Names copied{};
  };
  // A device this machine doesn't have: were the rule broken, Wine would write to and
  // unlink the device's file.
  const Case cases[] = {
      {.what = "nothing chosen", .typed = true, .said = tarnwick::texts::kChoosePack},
      {.what = "Thai file", .extra = thai + L".ini", .said = thai + L".ini"},
      {.what = "Thai pack", .pack = thai, .said = L"ZAzod\\" + thai},
      {.what = "device", .extra = L"Com9.ini", .said = L"“Com9.ini”"},
      {.what = "own name", .extra = L"b.MAP.Tarnwick-Partial", .said = L"b.MAP.Tarnwick-Partial"},
      {.what = "alike but for case", .setUp = [](TestGame& g) { runUnixShell(g.packs() + L"\\P", L"echo > A.MAP"); },
       .said = L"“a.map”"},
      // Also over a record absurdly large, which must read as nothing installed.
      {.what = "pack's file in use", .setUp = writeAbsurdlyLargeRecord, .held = L"ZAzod\\P\\rulesmd.ini",
       .said = L"rulesmd.ini", .error = ERROR_SHARING_VIOLATION, .copied = {L"a.map"}},
      {.what = "game's own file can't be kept", .setUp = blockKeptRules, .said = L"rulesmd.ini",
       .error = ERROR_ACCESS_DENIED, .copied = {L"a.map"}},
      {.what = "record in use", .held = L"ZAzod\\cofin.txt", .said = L"ZAzod\\cofin.txt", .error = ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    TestGame game;
    const std::wstring pack = game.addPack(c.pack, {{L"a.map", "a"}, {L"rulesmd.ini", "pack rules"}, {L"z.jpg", "z"}});
    // Only a path that skips the device names can make a device's file.
    if (!c.extra.empty()) writeBytes(L"\\\\?\\" + pack + L"\\" + c.extra, "x");
    writeBytes(game.record(), "");
    if (c.setUp) c.setUp(game);
    FileContents expected = filesIn(game.dir());
    for (const auto& name : c.copied) expected[name] = *readBytes(pack + L"\\" + name);
    auto form = game.open();
    choosePack(*form, c.pack);
    if (c.typed) ::SendMessageW(form->Combo1(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    {
      std::optional<HeldOpen> held;
      if (!c.held.empty()) held.emplace(game / c.held);
      form->Command3_Click();
    }
    ASSERT_EQ(game.log.messages.size(), 1u) << c.what;
    const std::wstring& message = game.log.messages[0];
    EXPECT_TRUE(contains(message, c.said)) << c.what << ": " << testing::PrintToString(message);
    EXPECT_EQ(contains(message, systemErrorText(c.error)), c.error != NO_ERROR) << c.what << ": the system's words";
    EXPECT_EQ(filesIn(game.dir()), expected) << c.what;
    EXPECT_TRUE(filesIn(game.kept()).empty()) << c.what;
    EXPECT_EQ(filesIn(game.packs()).size(), 3u) << c.what << ": cofin.txt, ra2md.csf and the lock, no temporary file";
    EXPECT_EQ(listItems(*form), c.copied) << c.what;
    EXPECT_EQ(readBytes(game.record()), c.copied.empty() ? "" : ansi(pack) + "\r\nP\r\n 1 \r\na.map\r\n") << c.what;
  }
}

// A lock file that can't be taken though no other program holds it (a folder, a link to
// nowhere): the window shows what is installed, but an install and a removal are refused
// before any question, naming the lock file and the system's reason; the close writes no
// record, nor is an interrupted operation finished. The game folder and the record stay.
TEST(PackInstall, NothingChangesWithoutTheGameFolderLock) {
  const struct {
    const char* what;
    const wchar_t* lockFile;  // the shell command making it in the pack folder
    DWORD error;
  } cases[] = {
      {"a folder", L"mkdir Tarnwick.lock", ERROR_ACCESS_DENIED},
      {"a link to nowhere", L"ln -s ../gone/Tarnwick.lock Tarnwick.lock", ERROR_FILE_NOT_FOUND},
  };
  for (const auto& c : cases) {
    TestGame game;
    game.addPack(L"Q", {{L"q.map", "q"}});
    writeBytes(game / L"a.map", "a");
    const std::string record = recordOf({L"a.map"}) + "a line after the names\r\n";
    writeBytes(game.record(), record);
    ASSERT_EQ(tarnwick::writeJournal(game.dir(), {tarnwick::JournalOperation::Removal, {}, {}, {{L"a.map", false}}}),
              static_cast<DWORD>(NO_ERROR));
    runUnixShell(game.packs(), c.lockFile);
    const FileContents before = filesIn(game.dir()), kept = filesIn(game.kept());
    auto form = game.open();
    EXPECT_EQ(listItems(*form), Names{L"a.map"}) << c.what;
    choosePack(*form, L"Q");
    form->Command3_Click();
    form->Command4_Click();
    closeWindow(*form);
    const std::wstring refusal = tarnwick::texts::gameFolderNotLocked(game.packs() + L"\\Tarnwick.lock",
                                                                      systemErrorText(c.error));
    EXPECT_EQ(game.log.messages, Names(2, refusal)) << c.what;
    EXPECT_TRUE(game.log.questions.empty()) << c.what;
    EXPECT_EQ(filesIn(game.dir()), before) << c.what;
    EXPECT_EQ(filesIn(game.kept()), kept) << c.what << ": the journal stays";
    EXPECT_EQ(readBytes(game.record()), record) << c.what;
    runUnixShell(game.packs(), L"rm -r Tarnwick.lock");
  }
}

// The stand-in game, started as the player would; ended when the test is done with it.
struct RunningStandIn {
  explicit RunningStandIn(std::wstring program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::CreateProcessW(program.c_str(), program.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  }
  ~RunningStandIn() {
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  PROCESS_INFORMATION process{};
};

// The game folder holds a file of its own that pack A replaces, as players' folders do,
// and the stand-in game as the expansion. Pack B has a Chinese name, as many players'
// packs have.
struct SwitchGame : TestGame {
  SwitchGame() {
    ::CopyFileW(standInGameExe().c_str(), (*this / L"gamemd.exe").c_str(), FALSE);
    writeBytes(*this / L"expandmd01.mix", "game mix");
    a = addPack(L"A",
                {{L"a.map", "a"}, {L"expandmd01.mix", "A mix"}, {L"rulesmd.ini", "A rules"}, {L"ra2md.csf", "A csf"}});
    b = addPack(L"中文", {{L"地图.map", "b"}, {L"rulesmd.ini", "B rules"}});
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

// A installed, B chosen. While the game runs, a removal and an install only say so.
// Installing B over A asks first. No changes nothing; Yes takes A out first and, while a
// file of A stays, copies nothing of B; once A is wholly out, the game folder holds the
// game's own files and exactly B's, and the record says so in the players' code page,
// which the next start reads back. The same pack again is taken out without asking, so a
// file that left its folder since doesn't stay behind. The removal leaves the game folder
// as it was before A.
TEST(PackSwitch, AnotherPackIsTakenOutFirstOnlyOnYesOnceTheGameHasEnded) {
  SwitchGame game;
  const std::wstring expansion = game / L"gamemd.exe";
  auto form = game.open();
  choosePack(*form, L"A");
  form->Command3_Click();
  choosePack(*form, L"中文");
  {
    std::wstring shouted = expansion;
    ::CharUpperW(shouted.data());
    RunningStandIn running(shouted);  // the same program, whatever the case of its path
    ASSERT_FALSE(waitForLaunchLog(game.dir()).empty()) << "the stand-in game did not start";
    form->Command4_Click();
    form->Command3_Click();
  }
  ::DeleteFileW((game / L"launch.log").c_str());
  EXPECT_EQ(game.log.messages, Names(2, tarnwick::texts::gameRunning(expansion)));
  game.log.messages.clear();
  game.log.answers = {false, true, true};
  form->Command3_Click();
  {
    HeldOpen held(game / L"a.map");
    form->Command3_Click();
  }
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], L"a.map：" + systemErrorText(ERROR_SHARING_VIOLATION)));
  EXPECT_EQ(filesIn(game.dir()), game.with({{L"a.map", "a"}}));

  game.log.messages.clear();
  form->Command3_Click();
  EXPECT_EQ(game.log.questions, Names(3, L"正在使用地图包“A”。先移除它，再复制“中文”吗？"));
  EXPECT_EQ(filesIn(game.dir()), game.with({{L"地图.map", "b"}, {L"rulesmd.ini", "B rules"}}));
  // In the players' code page (936 here), as the record has always been written.
  EXPECT_EQ(readBytes(game.record()), ansi(game.b + L"\r\n中文\r\n 2 \r\nrulesmd.ini\r\n地图.map\r\n"));

  // A record that can't be written at close is reported (checked last), and the window
  // closes all the same.
  {
    HeldOpen held(game.record());
    closeWindow(*form);
  }
  form = game.open();
  EXPECT_EQ(comboItems(form->Combo1()), (Names{L"A", L"中文"})) << "the kept originals' folder is no pack";
  EXPECT_EQ(listItems(*form), (Names{L"rulesmd.ini", L"地图.map"}));

  ::DeleteFileW((game.b + L"\\rulesmd.ini").c_str());
  choosePack(*form, L"中文");
  form->Command3_Click();
  EXPECT_EQ(game.log.questions.size(), 3u) << "the same pack again";
  EXPECT_EQ(filesIn(game.dir()), game.with({{L"地图.map", "b"}}));

  form->Command4_Click();
  EXPECT_EQ(filesIn(game.dir()), game.before);
  EXPECT_TRUE(filesIn(game.kept()).empty());
  ASSERT_EQ(game.log.messages.size(), 1u) << "only the one at close";
  EXPECT_TRUE(contains(game.log.messages[0], game.record() + L"：")) << "followed by the reason";
}

// The program killed at a step of an install or a removal of A, with these files in the
// game folder and its kept originals: the next start finds the journal, lists what is
// really in place, and one removal brings the game folder back. So it does after an
// install of A over an older kept file that nothing accounts for: that one stays below
// ZAzod, set aside under a name of its own that the install's message gives.
TEST(PackSwitch, AnInterruptedOperationIsFinishedAtTheNextStart) {
  using enum tarnwick::JournalOperation;
  const std::vector<tarnwick::JournalEntry> entries = {
      {L"a.map", false}, {L"expandmd01.mix", true}, {L"rulesmd.ini", true}, {L"ra2md.csf", false}};
  const std::wstring kept = L"ZAzod\\.originals\\";
  const std::string recordOfA = "P\r\nA\r\n 4 \r\na.map\r\nexpandmd01.mix\r\nra2md.csf\r\nrulesmd.ini\r\n";
  struct Case {
    const char* what;
    std::optional<tarnwick::JournalOperation> operation;  // none: no journal, A installed after the start
    FileContents written;  // beside the game's own files
    Names listed;  // after the start
    std::vector<std::string> older{};  // the kept files that stay
  };
  // A string table is listed whenever it is there: its removal only restores it.
  const Case cases[] = {
      {"install: original kept, not yet replaced", Install,
       {{kept + L"expandmd01.mix", "game mix"}, {kept + L"rulesmd.ini", TestGame::kGameRules}, {L"a.map", "a"},
        {L"rulesmd.ini.tarnwick-partial", "A rules"}, {kept + L"ra2md.csf.tarnwick-partial", "x"}},
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"install: all in place, no record yet", Install,
       {{kept + L"expandmd01.mix", "game mix"}, {kept + L"rulesmd.ini", TestGame::kGameRules}, {L"a.map", "a"},
        {L"expandmd01.mix", "A mix"}, {L"rulesmd.ini", "A rules"}, {L"ra2md.csf", "A csf"}},
       {L"a.map", L"expandmd01.mix", L"rulesmd.ini", L"ra2md.csf"}},
      {"removal: originals put back", Removal,
       {{kept + L"expandmd01.mix", "game mix"}, {L"a.map", "a"}, {L"expandmd01.mix", "A mix"}},
       {L"a.map", L"expandmd01.mix", L"ra2md.csf"}},
      {"removal: all done, no record yet", Removal, {{L"ra2md.csf.tarnwick-partial", "x"}}, {L"ra2md.csf"}},
      {"an older kept file", std::nullopt, {{kept + L"rulesmd.ini", "older rules"}}, {}, {"older rules"}},
  };
  for (const Case& c : cases) {
    SwitchGame game;
    if (c.operation) {
      const tarnwick::Journal journal{*c.operation, game.a, c.operation == Install ? L"A" : L"", entries};
      ASSERT_EQ(tarnwick::writeJournal(game.dir(), journal), static_cast<DWORD>(NO_ERROR));
    }
    if (c.operation == Removal) writeBytes(game.record(), recordOfA);
    makeFolder(game.kept());
    for (const auto& [name, bytes] : c.written) writeBytes(game / name, bytes);
    auto form = game.open();
    EXPECT_EQ(listItems(*form), c.listed) << c.what;
    if (!c.operation) {
      choosePack(*form, L"A");
      form->Command3_Click();
    }
    form->Command4_Click();
    EXPECT_EQ(filesIn(game.dir()), game.before) << c.what;
    std::vector<std::string> older;
    for (const auto& [name, bytes] : filesIn(game.kept())) {
      older.push_back(bytes);
      EXPECT_TRUE(contains(game.log.messages.at(0), game.kept() + L"\\" + name)) << c.what;
    }
    EXPECT_EQ(older, c.older) << c.what;
    EXPECT_EQ(game.log.messages.size(), c.older.size()) << c.what;
  }
}

// A record edited by hand, and files changed since the install: a removal takes out every
// listed file it may and can, puts the game's own files back (its string table even when
// not listed), and names in one message what it had to leave listed: names that reach
// outside the game folder or a device, folders, files in use. A pack's file already gone
// stays listed without a word, unless the game's own file is kept: that comes back.
TEST(PackRemoval, TakesOutWhatItMayAndNamesWhatStays) {
  TestGame game;
  const std::wstring outside = game.temp() / L"outside.txt";
  writeBytes(outside, "keep me");
  makeFolder(game / L"Maps");
  for (const wchar_t* name : {L"read-only.map", L"rulesmd.ini"}) writeBytes(game / name, "p");
  addAttributes(game / L"read-only.map", FILE_ATTRIBUTE_READONLY);
  writeBytes(game / L"ra2md.csf", "pack csf");
  makeFolder(game.kept());
  writeBytes(game.kept() + L"\\rulesmd.ini", TestGame::kGameRules);
  writeBytes(game.kept() + L"\\expandmd01.mix", "game mix");
  // Devices this machine doesn't have: were the rule broken, Wine would unlink their files.
  const Names unsafe = {L"..\\outside.txt", outside, L"", L"..", L"Maps\\inside.map", L"com9", L"LPT3.txt", L"Maps"};
  Names remaining = unsafe;
  remaining.insert(remaining.end(), {L"gone.jpg", L"rulesmd.ini"});
  Names listed = remaining;
  listed.insert(listed.end(), {L"read-only.map", L"expandmd01.mix"});
  writeBytes(game.record(), recordOf(listed));
  auto form = game.open();
  {
    HeldOpen rules(game / L"rulesmd.ini");
    form->Command4_Click();
  }
  EXPECT_EQ(readBytes(outside), "keep me");
  EXPECT_FALSE(exists(game / L"read-only.map"));
  EXPECT_EQ(readBytes(game / L"expandmd01.mix"), "game mix");
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), TestGame::kGameTable);
  EXPECT_EQ(listItems(*form), remaining);
  EXPECT_EQ(readBytes(game.record()), recordOf(remaining));
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& report = game.log.messages[0];
  for (const auto& name : unsafe) EXPECT_TRUE(contains(report, L"“" + name + L"”")) << testing::PrintToString(name);
  EXPECT_TRUE(contains(report, game.kept() + L"\\rulesmd.ini")) << "where the game's own file still is";
}

RECT shownBox{};

// Measures the program's message box once it shows (its modal loop runs this timer), and
// closes it.
void CALLBACK measureAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = ::FindWindowW(L"#32770", tarnwick::texts::kWindowTitle);
  if (box == nullptr) return;
  ::KillTimer(nullptr, timer);
  ::GetWindowRect(box, &shownBox);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Thousands of long names that can't be removed: the message lists ten, says how many
// more there are, and its box fits on the screen.
TEST(PackRemoval, ALongReportNamesTenAndFitsOnTheScreen) {
  TestGame game;
  Names listed;
  for (int i = 0; i < 3000; ++i) listed.push_back(L"<" + std::to_wstring(i) + std::wstring(400, L'x'));
  writeBytes(game.record(), recordOf(listed));
  auto form = game.open();
  form->Command4_Click();
  const std::wstring report = game.log.messages.at(0);
  EXPECT_TRUE(contains(report, L"另有 2990 项未列出")) << report.substr(report.size() - 40);

  ::SetTimer(nullptr, 0, 50, measureAndCloseBox);
  tarnwick::showInformation(nullptr, report);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(!::IsRectEmpty(&shownBox) && shownBox.left >= work.left && shownBox.right <= work.right &&
              shownBox.top >= work.top && shownBox.bottom <= work.bottom) << "shown, wholly in the work area";
}

}  // namespace
