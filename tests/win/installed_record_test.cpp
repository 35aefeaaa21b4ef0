#include <windows.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "platform/file_operations.h"
#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::PendingReplacement;

const std::string kUnknown = "\xCE\xB4\xD6\xAA";  // 未知 in code page 936

class InstalledRecordTest : public testing::Test {
 protected:
  TestGame game;
};

// What the start-up reads from the record into slots 15 and 13 and List1 (the reading
// rules themselves are tested with the OS-free logic).
TEST_F(InstalledRecordTest, StartUpReadsTheRecordIntoTheWindow) {
  struct Case {
    const char* what;
    std::optional<std::string> bytes;
    std::wstring path, name;
    std::vector<std::wstring> files;
  };
  const std::vector<Case> cases = {
      {"no record", std::nullopt, L"未知", L"未知", {}},
      {"empty record", "", L"未知", L"未知", {}},
      {"the example", "D:\\Games\\RA2\\ZAzod\\B\r\nB\r\n 2 \r\nb1.jpg\r\nb1.map\r\n", L"D:\\Games\\RA2\\ZAzod\\B", L"B",
       {L"b1.jpg", L"b1.map"}},
      {"only a path", "D:\\P\r\n", L"D:\\P", L"未知", {}},
      {"fewer lines than the count", "P\r\nB\r\n 3 \r\na\r\n", L"P", L"B", {L"a"}},
      {"line feeds alone", "P\nB\n 1 \na\n", L"P\nB\n 1 \na\n", L"未知", {}},
      {"unknown marks with files", kUnknown + "\r\n" + kUnknown + "\r\n 1 \r\nx.map\r\n", L"未知", L"未知", {L"x.map"}},
  };
  for (const auto& c : cases) {
    ::DeleteFileW(game.record().c_str());
    if (c.bytes) writeBytes(game.record(), *c.bytes);
    auto form = game.open();
    EXPECT_EQ(form->caption(15), c.path) << c.what;
    EXPECT_EQ(form->caption(13), c.name) << c.what;
    EXPECT_EQ(listItems(*form), c.files) << c.what;
  }
  EXPECT_TRUE(game.log.messages.empty()) << "reading never complains";
}

// Whatever the window holds is written at close and reads back the same at the next
// start, also when slots read 未知 while files are listed (after a removal that left
// missing files behind).
TEST_F(InstalledRecordTest, EveryCloseWritesWhatTheNextStartReadsBack) {
  writeBytes(game.record(), kUnknown + "\r\n" + kUnknown + "\r\n 2 \r\nx.map\r\ny.jpg\r\nleft over\r\n");
  auto form = game.open();
  closeWindow(*form);
  EXPECT_EQ(readBytes(game.record()), kUnknown + "\r\n" + kUnknown + "\r\n 2 \r\nx.map\r\ny.jpg\r\n");

  form = game.open();
  EXPECT_EQ(form->caption(15), L"未知");
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(listItems(*form), (std::vector<std::wstring>{L"x.map", L"y.jpg"}));
  ::SendMessageW(form->List1(), LB_RESETCONTENT, 0, 0);
  closeWindow(*form);
  EXPECT_EQ(readBytes(game.record()), "") << "nothing installed: an empty record";
  EXPECT_TRUE(game.log.messages.empty());
}

TEST_F(InstalledRecordTest, ChineseNamesAreWrittenAndReadInCodePage936) {
  ASSERT_EQ(::GetACP(), 936u) << "the test run must use the players' code page";
  const std::wstring folder = game.addPack(L"中文地图", {{L"地图一.map", "map"}});
  auto form = game.open();
  choosePack(*form, L"中文地图");
  form->Command3_Click();
  ASSERT_TRUE(game.log.messages.empty()) << game.log.messages.front();

  const std::string chinese = "\xD6\xD0\xCE\xC4\xB5\xD8\xCD\xBC";
  std::string expected;
  for (wchar_t c : game.packs()) expected += static_cast<char>(c);  // the temporary folder's path is ASCII
  expected += "\\" + chinese + "\r\n" + chinese + "\r\n 1 \r\n\xB5\xD8\xCD\xBC\xD2\xBB.map\r\n";
  EXPECT_EQ(readBytes(game.record()), expected);

  form.reset();
  form = game.open();
  EXPECT_EQ(form->caption(13), L"中文地图");
  EXPECT_EQ(form->caption(15), folder);
  EXPECT_EQ(listItems(*form), std::vector<std::wstring>{L"地图一.map"});
}

// The new record is made whole beside the old one before it replaces it: a crash before
// the replacement leaves the old record, and so does a replacement that fails.
TEST_F(InstalledRecordTest, AnUnfinishedWriteLeavesTheOldRecord) {
  const std::string old = "P\r\nOld\r\n 1 \r\nold.map\r\n";
  writeBytes(game.record(), old);
  std::wstring temporary;
  {
    PendingReplacement pending(game.record());
    ASSERT_EQ(pending.write("P\r\nNew\r\n"), static_cast<DWORD>(NO_ERROR));
    temporary = pending.temporaryPath();
    EXPECT_EQ(temporary.substr(0, game.packs().size() + 1), game.packs() + L"\\") << "same folder, same volume";
    EXPECT_EQ(readBytes(temporary), "P\r\nNew\r\n");
    EXPECT_EQ(readBytes(game.record()), old);
    auto form = game.open();  // the program started again after a crash right here
    EXPECT_EQ(form->caption(13), L"Old");
  }
  EXPECT_FALSE(exists(temporary)) << "an abandoned temporary file is removed";

}

// An install or a removal first makes sure the record can be written: a record held
// open or read-only stops it before anything is copied or deleted, and says why.
TEST_F(InstalledRecordTest, AnUnwritableRecordStopsTheOperationBeforeItBegins) {
  const std::string old = "P\r\nOld\r\n 1 \r\nold.map\r\n";
  game.addPack(L"New", {{L"new.map", "map"}});
  writeBytes(game / L"old.map", "old");
  const FileContents before = filesIn(game.dir());
  for (const bool removal : {false, true}) {
    writeBytes(game.record(), old);
    auto form = game.open();
    choosePack(*form, L"New");
    {
      std::optional<HeldOpen> held;
      if (removal) addAttributes(game.record(), FILE_ATTRIBUTE_READONLY); else held.emplace(game.record());
      removal ? form->Command4_Click() : form->Command3_Click();
    }
    ASSERT_EQ(game.log.messages.size(), 1u) << removal;
    EXPECT_NE(game.log.messages[0].find(game.record() + L"：" + tarnwick::systemErrorText(ERROR_ACCESS_DENIED)),
              std::wstring::npos) << removal;
    EXPECT_TRUE(game.log.questions.empty()) << removal;
    EXPECT_EQ(filesIn(game.dir()), before) << removal;
    EXPECT_EQ(readBytes(game.record()), old) << removal;
    EXPECT_EQ(listItems(*form), std::vector<std::wstring>{L"old.map"}) << removal;
    EXPECT_EQ(filesIn(game.packs()).size(), 3u) << removal << ": only cofin.txt, ra2md.csf and the program's lock, no temporary file";
    ::SetFileAttributesW(game.record().c_str(), FILE_ATTRIBUTE_NORMAL);
    game.log.messages.clear();
  }
}

TEST_F(InstalledRecordTest, AFailedWriteIsReportedWhereThereIsARecordToKeep) {
  writeBytes(game.record(), "");
  auto form = game.open();  // nothing installed, but a pack folder to keep the record in
  {
    HeldOpen held(game.record());
    closeWindow(*form);
  }
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_NE(game.log.messages[0].find(game.record() + L"："), std::wstring::npos) << game.log.messages[0];
  game.log.messages.clear();
  removeTree(game.packs());

  form = game.open();  // no pack folder: no game to keep a record for
  HWND window = form->hwnd();
  closeWindow(*form);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_TRUE(game.log.messages.empty());

  const std::wstring elsewhere = game.temp() / L"record.txt";
  writeBytes(elsewhere, "P\r\nB\r\n 1 \r\nb.map\r\n");
  form = game.open();
  form->LoadCofg(elsewhere);
  window = form->hwnd();
  closeWindow(*form);
  EXPECT_FALSE(::IsWindow(window)) << "closing always ends";
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_NE(game.log.messages[0].find(game.record()), std::wstring::npos) << game.log.messages[0];
  EXPECT_NE(game.log.messages[0].find(game.record() + L"："), std::wstring::npos) << "followed by the reason";
}

// One program per game folder: while a window holds it, another one ends at once without
// touching the record, and closing that one frees nothing. Without a pack folder there
// is nothing to hold.
TEST(GameFolderLock, ASecondWindowOnTheSameGameFolderEnds) {
  for (const bool hasPackFolder : {true, false}) {
    SCOPED_TRACE(hasPackFolder ? "pack folder" : "no pack folder");
    TestGame game;
    if (hasPackFolder) {
      writeBytes(game.record(), "P\r\nP\r\n 1 \r\nx.map\r\n");
    } else {
      removeTree(game.packs());
    }
    auto first = game.open();
    auto second = game.open();
    EXPECT_FALSE(first->managedElsewhere());
    EXPECT_EQ(second->managedElsewhere(), hasPackFolder);
    EXPECT_EQ(game.log.messages.size(), hasPackFolder ? 1u : 0u);
    if (!hasPackFolder) continue;
    EXPECT_TRUE(listItems(*second).empty()) << "the record is not read";
    closeWindow(*second);
    EXPECT_EQ(readBytes(game.record()), "P\r\nP\r\n 1 \r\nx.map\r\n");
    EXPECT_TRUE(game.open()->managedElsewhere());
    closeWindow(*first);
    EXPECT_FALSE(game.open()->managedElsewhere());
  }
}

}  // namespace
