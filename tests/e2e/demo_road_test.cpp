// Drives the real Tarnwick.exe from outside, only with window messages, in a fresh demo
// install: the player's road (choose, install, start a second program, close, start
// again, remove), and the road cut short by ending the program from outside, as a crash
// or a power cut would.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/form1_layout.h"
#include "platform/control_contents.h"
#include "platform/exclusive_file.h"
#include "platform/folder_walk.h"
#include "support/fixtures.h"
#include "window_driver.h"

namespace {

using namespace tarnwick::e2e;
using namespace tarnwick::layout;
using namespace tarnwick::test;

const std::wstring kGameFolder = L"C:\\Westwood\\RA2";
const std::wstring kPackFolder = kGameFolder + L"\\ZAzod";

// One run of the program named by TARNWICK_EXE, started in the game folder; it is killed
// if it is still running when this goes.
class RunningProgram {
 public:
  // With `showsWindow`, waits for the main window to appear; `arguments` follow the
  // program's name on its command line.
  explicit RunningProgram(bool showsWindow = true, const std::wstring& arguments = {}) {
    const wchar_t* exe = _wgetenv(L"TARNWICK_EXE");
    std::wstring commandLine = L"\"" + std::wstring(exe ? exe : L"") + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, kGameFolder.c_str(),
                         &startup, &started)) {
      ::CloseHandle(started.hThread);
      process_.reset(started.hProcess);
    }
    if (showsWindow) window_ = waitForWindow(L"Tarnwick.Form1", nullptr, 30);
  }
  // Ends the process from outside at once, as a crash or a power cut would. (An empty
  // handle would be this process's own pseudo handle.)
  ~RunningProgram() {
    if (!process_ || ::WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT) return;
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 20000);
  }

  [[nodiscard]] HWND window() const { return window_; }
  [[nodiscard]] HWND control(int id) const { return findControl(window_, id); }
  [[nodiscard]] std::wstring label(int slot) const { return windowText(control(kIdLabelFirst + slot)); }
  [[nodiscard]] size_t listed() const { return tarnwick::listBoxItems(control(kIdList1)).size(); }

  // The text of a message box, waited for up to `seconds` (empty when none is open);
  // `button` (unless 0) is then pressed in it.
  static std::wstring messageBox(double seconds = 0, int button = 0) {
    HWND box = waitForWindow(L"#32770", nullptr, seconds);
    const std::wstring text = box ? windowText(::GetDlgItem(box, 0xFFFF)) : L"";
    if (box && button != 0) click(::GetDlgItem(box, button));
    return text;
  }

  // Chooses `pack` (unless null), presses `button`, answers the question that
  // follows with `answer` (unless 0), and waits up to a minute for `done`.
  bool press(const wchar_t* pack, int button, const std::function<bool()>& done, int answer = 0,
             DWORD pollMs = 50) {
    HWND combo = control(kIdCombo1);
    if (pack) choose(combo, ComboBox_FindStringExact(combo, -1, pack));
    click(control(button));
    if (answer != 0) messageBox(10, answer);
    return waitUntil(done, 60, pollMs);
  }

  // Closes the main window (if it has one) the way its close box does; true when the
  // process ends within 20 s.
  bool close() {
    if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_ && ::WaitForSingleObject(process_.get(), 20000) == WAIT_OBJECT_0;
  }

 private:
  tarnwick::UniqueKernelObject process_;
  HWND window_ = nullptr;
};

// A hash of each file's bytes: enough to tell any change, short to print.
using Digest = std::map<std::wstring, size_t>;
Digest digestOf(const std::wstring& folder) {
  Digest digest;
  for (const auto& [name, bytes] : filesIn(folder)) digest[name] = std::hash<std::string>{}(bytes);
  return digest;
}

// Starts the program again, which shows `inUse` as installed when that is known, presses
// "移除地图包" and closes it: the game folder must be as `before`, with no kept original
// left over and an empty record.
void expectOneRemovalRestores(const Digest& before, const std::string& what, const wchar_t* inUse = nullptr) {
  {
    RunningProgram program;
    if (inUse != nullptr) {
      EXPECT_EQ(program.label(13), inUse) << what;
    }
    const auto removed = [&] { return program.listed() == 0 && program.label(13) == L"未知"; };
    ASSERT_TRUE(program.press(nullptr, kIdCommand4, removed)) << what;
    EXPECT_EQ(program.messageBox(), L"") << what;
    ASSERT_TRUE(program.close()) << what << ": closing the main window ends the program";
  }
  EXPECT_EQ(digestOf(kGameFolder), before) << what;
  EXPECT_TRUE(filesIn(kPackFolder + L"\\.originals").empty()) << what;
  EXPECT_EQ(readBytes(kPackFolder + L"\\cofin.txt"), "") << what;
}

// What the window shows at start-up, the map list, the thumbnails and the refusals are
// checked in the program's own process (main_window_test, pack_library_test,
// pack_installation_test). The real program adds: a record that outlives it and is shown
// at the next start, a second program on the same game folder, and the game folder as it
// was after one removal.
TEST(DemoRoad, InstallRestartRemoveLeavesTheGameFolderAsItWas) {
  ASSERT_EQ(::GetACP(), 936u) << "the players' own code page";
  const Digest before = digestOf(kGameFolder);
  RunningProgram program;
  ASSERT_NE(program.window(), nullptr) << "the main window did not appear (TARNWICK_EXE names the program)";
  // The pack that overwrites a game file installs, and its record survives the program.
  ASSERT_TRUE(program.press(L"Rules Mod", kIdCommand3, [&] { return program.listed() == 4; }));
  EXPECT_EQ(program.messageBox(), L"");
  EXPECT_EQ(program.label(13), L"Rules Mod");
  EXPECT_EQ(program.label(15), L"C:\\Westwood\\RA2\\ZAzod\\Rules Mod");
  for (const wchar_t* name : {L"Rules Test.jpg", L"Rules Test.map", L"ra2md.csf", L"rulesmd.ini"}) {
    EXPECT_EQ(readBytes(kGameFolder + L"\\" + name), readBytes(kPackFolder + L"\\Rules Mod\\" + name)) << name;
  }

  // Two programs on one game folder would undo each other's installs: a second one says so,
  // brings the first forward (from behind another window) and ends.
  HWND elsewhere = ::CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  ::SetForegroundWindow(elsewhere);
  ASSERT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == elsewhere; }, 5));
  RunningProgram second(false);
  EXPECT_EQ(second.messageBox(30, IDOK),
            L"另一个 Tarnwick 正在管理游戏目录“C:\\Westwood\\RA2”。\r\n请使用已打开的那个窗口；本程序将退出。");
  ASSERT_TRUE(second.close());
  EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == program.window(); }, 5)) << "the first comes forward";
  ::DestroyWindow(elsewhere);
  EXPECT_EQ(program.messageBox(), L"");

  ASSERT_TRUE(program.close());
  expectOneRemovalRestores(before, "the demo road", L"Rules Mod");
}

// Killed from outside in mid-import (its progress in the title), the program leaves no
// pack listed, and the next start leaves the pack folder as it was before. First of the
// imports: those that end well may leave folders that only a start tidies.
TEST(Import, AKillMidImportLeavesNoPackAndTheNextStartTidiesUp) {
  const std::wstring source = L"C:\\Downloads\\Large Pack";
  makeFolder(L"C:\\Downloads");
  makeFolder(source);
  writeBytes(source + L"\\large.map", "[Basic]\r\nName=Large\r\n");
  for (int i = 0; i < 2000; ++i) writeBytes(source + L"\\" + std::to_wstring(i) + L".mix", std::string(65536, 'x'));
  const auto before = treeOf(kPackFolder);
  {
    RunningProgram killed(true, L"\"" + source + L"\"");
    ASSERT_TRUE(waitUntil([&] { return windowText(killed.window()).starts_with(L"Tarnwick - 正在解压 "); }, 60, 0));
  }
  EXPECT_NE(treeOf(kPackFolder), before) << "killed before anything was unpacked";
  RunningProgram next;
  EXPECT_EQ(treeOf(kPackFolder), before);
  EXPECT_TRUE(next.close());
}

// Programs started with folders while another manages the game folder (Explorer starts
// one a file when several are opened at once) hand them over and end without a word; the
// first imports them all (the same folder twice: the second pack is named " (2)"). Where
// the first can't be reached (the lock is held by a process without a window), the second
// says so and names what it didn't import.
TEST(Import, SecondProgramsHandTheirPathsToTheFirst) {
  const std::wstring source = L"C:\\Downloads\\Handed Pack", quoted = L"\"" + source + L"\"";
  makeFolder(source);
  writeBytes(source + L"\\handed.map", "[Basic]\r\nName=Handed\r\n");
  {
    RunningProgram first;
    RunningProgram second(false, quoted), third(false, quoted);
    ASSERT_TRUE(second.close() && third.close());
    HWND combo = first.control(kIdCombo1);
    EXPECT_TRUE(waitUntil([&] { return ComboBox_FindStringExact(combo, -1, L"Handed Pack (2)") >= 0; }, 30));
    EXPECT_EQ(RunningProgram::messageBox(), L"");
    ASSERT_TRUE(first.close());
  }
  DWORD error = NO_ERROR;
  const tarnwick::UniqueFile lock = tarnwick::holdExclusively(kPackFolder + L"\\Tarnwick.lock", error);
  RunningProgram second(false, quoted);
  EXPECT_EQ(RunningProgram::messageBox(30, IDOK),
            L"另一个 Tarnwick 正在管理游戏目录“C:\\Westwood\\RA2”。\r\n请使用已打开的那个窗口；本程序将退出。\r\n\r\n"
            L"无法把以下文件交给那个窗口，它们未被导入：\r\n" + source);
  EXPECT_TRUE(second.close());
}

// Crash A replaces the game's rulesmd.ini and string table, Crash B its rulesmd.ini; each
// has large files to make the copying take a while and small ones to make the removal
// take one, all named after the pack.
constexpr size_t kLargeFiles = 24, kSmallFiles = 60, kNamedFiles = 1 + kLargeFiles + kSmallFiles;
constexpr size_t kHalf = kNamedFiles / 2;

void writePack(const std::wstring& name, bool withStringTable) {
  const std::wstring folder = kPackFolder + L"\\" + name + L"\\";
  makeFolder(folder);
  writeBytes(folder + name + L".map", "[Basic]\r\nName=" + std::string(name.begin(), name.end()) + "\r\n");
  writeBytes(folder + L"rulesmd.ini", "; rules of pack " + std::string(name.begin(), name.end()) + "\r\n");
  if (withStringTable) writeBytes(folder + L"ra2md.csf", "pack csf");
  for (size_t i = 0; i < kLargeFiles + kSmallFiles; ++i) {
    writeBytes(folder + name + L" " + std::to_wstring(i) + L".mix",
               std::string(i < kLargeFiles ? 8u << 20 : 1u, static_cast<char>(i)));
  }
}

// How many files named after the pack are in the game folder, unfinished copies left out.
size_t packFilesInGame(const std::wstring& pack) {
  size_t count = 0;
  tarnwick::forEachFolderEntry(kGameFolder + L"\\" + pack + L"*", [&](const WIN32_FIND_DATAW& found) {
    count += std::wstring_view(found.cFileName).ends_with(tarnwick::kTemporarySuffix) ? 0 : 1;
  });
  return count;
}

struct KillPoint {
  const char* what;
  bool crashAFirst;        // Crash A installed whole first
  const wchar_t* chosen;   // then this pack chosen,
  int button;              // this button pressed
  int answer;              // and the question that follows answered (0: none comes);
  const wchar_t* counted;  // killed once the game folder holds at least (`growing`) or
  bool growing;            // at most `files` files named after this pack
  size_t files;
};

// Last: it leaves its packs behind.
TEST(CrashRecovery, OneRemovalAfterAKillAtAnyMomentRestoresTheGameFolder) {
  const Digest before = digestOf(kGameFolder);
  writePack(L"Crash A", true);
  writePack(L"Crash B", false);
  const KillPoint points[] = {
      {"install killed at its first file", false, L"Crash A", kIdCommand3, 0, L"Crash A", true, 1},
      {"install killed half-way", false, L"Crash A", kIdCommand3, 0, L"Crash A", true, kHalf},
      {"install killed at its last file", false, L"Crash A", kIdCommand3, 0, L"Crash A", true, kNamedFiles},
      {"removal killed half-way", true, L"Crash A", kIdCommand4, 0, L"Crash A", false, kHalf},
      {"switch killed removing the old pack", true, L"Crash B", kIdCommand3, IDYES, L"Crash A", false, kHalf},
      {"switch killed installing the new pack", true, L"Crash B", kIdCommand3, IDYES, L"Crash B", true, kHalf},
  };
  for (const KillPoint& point : points) {
    {
      RunningProgram program;  // killed as it goes, as a crash or a power cut would
      if (point.crashAFirst) {
        ASSERT_TRUE(program.press(L"Crash A", kIdCommand3, [&] { return program.listed() == kNamedFiles + 2; }))
            << point.what;
      }
      ASSERT_TRUE(program.press(point.chosen, point.button, [&] {
        const size_t files = packFilesInGame(point.counted);
        return point.growing ? files >= point.files : files <= point.files;
      }, point.answer, 0)) << point.what;
    }
    expectOneRemovalRestores(before, point.what);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
