// Ends the real program from outside at many moments of an install, a removal and a
// switch of packs of many large files. After each, the program starts again, and one
// press of "移除地图包" must bring the game folder back byte for byte, with no kept
// original left over and an empty record.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "running_program.h"
#include "support/temp_folder.h"
#include "window_driver.h"

namespace {

using namespace tarnwick::e2e;
using tarnwick::test::writeBytes;

const std::wstring kKeptFolder = std::wstring(kPackFolder) + L"\\.originals";
constexpr int kLargeFiles = 24;
constexpr size_t kLargeSize = 8u << 20;
constexpr int kSmallFiles = 60;

// Each file's size and a hash of its bytes: enough to tell any change, short to print.
std::map<std::wstring, std::string> digestOf(const std::wstring& folder) {
  std::map<std::wstring, std::string> digest;
  for (const auto& [name, bytes] : filesIn(folder)) {
    unsigned long long hash = 14695981039346656037ull;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    digest[name] = std::to_string(bytes.size()) + ":" + std::to_string(hash);
  }
  return digest;
}

// A pack replacing the game's own rulesmd.ini (and, for A, its string table), with large
// files to make the copying take a while and small ones to make the removal take one.
// Returns how many files it has.
size_t writePack(const std::wstring& name, bool withStringTable) {
  const std::wstring folder = std::wstring(kPackFolder) + L"\\" + name;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  writeBytes(folder + L"\\" + name + L".map", "[Basic]\r\nName=" + std::string(name.begin(), name.end()) + "\r\n");
  writeBytes(folder + L"\\rulesmd.ini", "; rules of pack " + std::string(name.begin(), name.end()) + "\r\n");
  if (withStringTable) writeBytes(folder + L"\\ra2md.csf", "pack csf");
  for (int i = 0; i < kLargeFiles; ++i) {
    std::string bytes(kLargeSize, static_cast<char>(i));
    bytes.replace(0, name.size(), std::string(name.begin(), name.end()));
    writeBytes(folder + L"\\" + name + L" large " + std::to_wstring(i) + L".mix", bytes);
  }
  for (int i = 0; i < kSmallFiles; ++i) {
    writeBytes(folder + L"\\" + name + L" small " + std::to_wstring(i) + L".ini", std::to_string(i));
  }
  return 2 + (withStringTable ? 1 : 0) + kLargeFiles + kSmallFiles;
}

// The test's packs go again at its end, whatever happened: other tests count the packs.
struct PackFolders {
  ~PackFolders() {
    for (const wchar_t* name : {L"Crash A", L"Crash B"}) tarnwick::test::removeTree(std::wstring(kPackFolder) + L"\\" + name);
  }
};

double secondsSince(ULONGLONG start) { return static_cast<double>(::GetTickCount64() - start) / 1000; }

// Polls often: a removal takes only a moment.
bool waitFor(const std::function<bool()>& condition, double seconds, DWORD pollMs = 5) {
  const ULONGLONG start = ::GetTickCount64();
  while (!condition()) {
    if (secondsSince(start) > seconds) return false;
    ::Sleep(pollMs);
  }
  return true;
}

void choosePack(const RunningProgram& program, const wchar_t* name) {
  HWND combo = program.control(kCombo1);
  choose(combo, comboIndexOf(combo, name));
}

size_t listed(const RunningProgram& program) { return listBoxItems(program.control(kList1)).size(); }

void installWhole(const RunningProgram& program, const wchar_t* name, size_t files) {
  choosePack(program, name);
  click(program.control(kCommand3));
  ASSERT_TRUE(waitFor([&] { return listed(program) == files; }, 60));
}

void waitForQuestion(const RunningProgram& program) {
  ASSERT_TRUE(waitFor([&] { return findMessageBox(program.id()) != nullptr; }, 10)) << "no question";
}

void pressYes(const RunningProgram& program) {
  ::PostMessageW(::GetDlgItem(findMessageBox(program.id()), IDYES), BM_CLICK, 0, 0);
}

// Starts the program again, removes what it shows as installed, closes it, and checks
// the game folder against its state before.
void expectOneRemovalRestores(const std::map<std::wstring, std::string>& before, const std::string& what) {
  {
    RunningProgram program;
    ASSERT_NE(program.window(), nullptr) << what;
    click(program.control(kCommand4));
    ASSERT_TRUE(waitFor([&] { return listed(program) == 0 && program.label(13) == L"未知"; }, 60)) << what;
    EXPECT_EQ(findMessageBox(program.id()), nullptr) << what << ": " << testing::PrintToString(messageBoxText(findMessageBox(program.id())));
    ASSERT_TRUE(program.close()) << what;
  }
  EXPECT_EQ(digestOf(kGameFolder), before) << what;
  EXPECT_TRUE(filesIn(kKeptFolder).empty()) << what;
  EXPECT_EQ(readFile(kRecord), "") << what;
}

// How many files of the pack (named after it) are in the game folder; asked often.
size_t packFilesInGame(const std::wstring& pack) {
  size_t count = 0;
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW((std::wstring(kGameFolder) + L"\\" + pack + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    count += std::wstring_view(found.cFileName).find(L".tarnwick-partial") == std::wstring_view::npos ? 1 : 0;
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return count;
}

struct KillPoint {
  const wchar_t* pack;
  bool growing;  // kill once the pack has at least `files` in the game folder, else at most
  size_t files;
};

struct Road {
  const char* what;
  std::function<void(RunningProgram&)> prepare;  // up to the moment before the step
  std::function<void(RunningProgram&)> begin;    // starts the step that gets cut short
  std::vector<KillPoint> killAt;
};

TEST(CrashRecovery, OneRemovalAfterAKillAtAnyMomentRestoresTheGameFolder) {
  ASSERT_NE(_wgetenv(L"TARNWICK_EXE"), nullptr);
  const auto before = digestOf(kGameFolder);
  ASSERT_TRUE(before.count(L"rulesmd.ini"));
  PackFolders packFolders;
  const size_t filesOfA = writePack(L"Crash A", true);
  writePack(L"Crash B", false);
  const size_t named = 1 + kLargeFiles + kSmallFiles;  // the files named after their pack

  const Road roads[] = {
      {"install", [](RunningProgram& p) { choosePack(p, L"Crash A"); },
       [](RunningProgram& p) { click(p.control(kCommand3)); },
       {{L"Crash A", true, 0}, {L"Crash A", true, 1}, {L"Crash A", true, named / 3}, {L"Crash A", true, named * 2 / 3},
        {L"Crash A", true, named}}},
      {"removal", [&](RunningProgram& p) { installWhole(p, L"Crash A", filesOfA); },
       [](RunningProgram& p) { click(p.control(kCommand4)); },
       {{L"Crash A", false, named}, {L"Crash A", false, named * 2 / 3}, {L"Crash A", false, named / 3},
        {L"Crash A", false, 1}, {L"Crash A", false, 0}}},
      {"switch",
       [&](RunningProgram& p) {
         installWhole(p, L"Crash A", filesOfA);
         choosePack(p, L"Crash B");
         click(p.control(kCommand3));
         waitForQuestion(p);
       },
       [](RunningProgram& p) { pressYes(p); },
       {{L"Crash A", false, named / 2}, {L"Crash A", false, 0}, {L"Crash B", true, 1}, {L"Crash B", true, named / 2},
        {L"Crash B", true, named}}},
  };
  for (const Road& road : roads) {
    for (const KillPoint& point : road.killAt) {
      const std::string what = std::string(road.what) + " killed at " + (point.growing ? ">= " : "<= ") +
                               std::to_string(point.files) + " files of its pack";
      {
        RunningProgram program;
        ASSERT_NE(program.window(), nullptr) << what;
        road.prepare(program);
        road.begin(program);
        ASSERT_TRUE(waitFor([&] {
          const size_t files = packFilesInGame(point.pack);
          return point.growing ? files >= point.files : files <= point.files;
        }, 60, 0)) << what;
        program.kill();
      }
      expectOneRemovalRestores(before, what);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
