// Measures the pack scan, the install and the removal of the real main window against
// the bare system calls that do the same file work, in one run under the same Wine:
//   - the scan of 10,000 packs against a bare FindFirstFileW/FindNextFileW enumeration;
//   - installing a pack of 200 files (300 MB) against a bare CopyFileW loop, and
//     removing it again against a bare DeleteFileW loop (the same for a pack of 8,000
//     small files), each followed by writing one
//     small file in the pack folder and flushing it to disk: the program's record of
//     what it installed is flushed the same way, so a crash can't lose it;
// and the process's private memory after each. Each figure is the median of several
// runs (5 unless given as the first argument).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/form1.h"
#include "bench/bench_game.h"
#include "bench/measure.h"
#include "bench/process_memory.h"
#include "platform/com_init.h"

using namespace tarnwick;
using namespace tarnwick::bench;

namespace {

constexpr double kScanTarget = 2.0;
constexpr double kFileTarget = 1.3;
constexpr double kManyFilesTarget = 1.5;
constexpr double kMemoryTargetMb = 48.0;

std::vector<std::wstring> bareEnumeration(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.emplace_back(found.cFileName);
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return names;
}

// What a bare loop must add to give the program's guarantee: one small file written
// and flushed to disk.
void writeAndFlush(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const char text[] = "C:\\tarnwick-bench\\RA2\\ZAzod\\~ Large Pack\r\n~ Large Pack\r\n 200 \r\n";
  DWORD written = 0;
  ::WriteFile(file, text, sizeof text - 1, &written, nullptr);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

struct Line {
  const wchar_t* what;
  double ours, baseline, target;
};

bool report(const Line& line) {
  const double ratio = line.baseline > 0 ? line.ours / line.baseline : 0;
  const bool met = ratio <= line.target;
  std::wprintf(L"%-50ls %9.1f ms  baseline %9.1f ms  ratio %5.2f  (target <= %.1f) %ls\n", line.what, line.ours,
               line.baseline, ratio, line.target, met ? L"met" : L"MISSED");
  return met;
}

bool reportMemory(const wchar_t* after) {
  const double mb = megabytes(processMemory().privateBytes);
  const bool met = mb <= kMemoryTargetMb;
  std::wprintf(L"private memory after %-20ls %7.1f MB  (target <= %.0f MB) %ls\n", after, mb, kMemoryTargetMb,
               met ? L"met" : L"MISSED");
  return met;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  const ComInit com;

  std::wprintf(L"preparing the benchmark game folder (made once, then kept)...\n");
  const BenchGame game;
  game.removeRecord();

  std::vector<std::wstring> messages;
  auto form = Form1::create(::GetModuleHandleW(nullptr),
                            [&](HWND, std::wstring_view text) { messages.emplace_back(text); });
  if (!form) {
    std::wprintf(L"cannot create the main window\n");
    return 1;
  }
  bool allMet = true;

  // The pack scan.
  std::vector<double> scans, enumerations;
  for (int run = 0; run < runs; ++run) {
    double start = nowMs();
    form->ReFreshPath(game.packFolder());
    scans.push_back(nowMs() - start);
    start = nowMs();
    const auto names = bareEnumeration(game.packFolder());
    enumerations.push_back(nowMs() - start);
    if (names.size() < BenchGame::kPackCount) return std::wprintf(L"the pack folder is incomplete\n"), 1;
  }
  const auto packCount = ::SendMessageW(form->Combo1(), CB_GETCOUNT, 0, 0);
  std::wprintf(L"\n%d runs each; %ld packs listed\n", runs, static_cast<long>(packCount));
  allMet &= report({L"pack scan of 10,000 packs", median(scans), median(enumerations), kScanTarget});
  allMet &= reportMemory(L"the scan:");

  // Install and removal of each pack, alternating with the bare loops.
  const std::wstring flushed = game.packFolder() + L"\\bench-flushed.txt";
  struct PackCase {
    const wchar_t* pack;
    std::wstring folder;
    const std::vector<std::wstring>& files;
    const wchar_t *install, *removal;
    double target;
  };
  const PackCase packCases[] = {
      {BenchGame::kLargePackName, game.largePack(), game.largePackFiles(), L"install of 200 files, 300 MB",
       L"removal of the same 200 files", kFileTarget},
      {BenchGame::kSmallPackName, game.smallPack(), game.smallPackFiles(), L"install of 8,000 small files",
       L"removal of the same 8,000 files", kManyFilesTarget},
  };
  for (const PackCase& pack : packCases) {
    const auto chosen = ::SendMessageW(form->Combo1(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(pack.pack));
    ::SendMessageW(form->Combo1(), CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    form->Combo1_Click();
    std::vector<double> installs, copies, removals, deletions;
    double afterInstallMb = 0;
    for (int run = 0; run < runs; ++run) {
      double start = nowMs();
      form->Command3_Click();
      installs.push_back(nowMs() - start);
      afterInstallMb = std::max(afterInstallMb, megabytes(processMemory().privateBytes));
      start = nowMs();
      form->Command4_Click();
      removals.push_back(nowMs() - start);

      start = nowMs();
      for (const auto& name : pack.files) {
        ::CopyFileW((pack.folder + L"\\" + name).c_str(), (game.gameFolder() + L"\\" + name).c_str(), FALSE);
      }
      writeAndFlush(flushed);
      copies.push_back(nowMs() - start);
      start = nowMs();
      for (const auto& name : pack.files) ::DeleteFileW((game.gameFolder() + L"\\" + name).c_str());
      writeAndFlush(flushed);
      deletions.push_back(nowMs() - start);
    }
    std::wprintf(L"\n");
    allMet &= report({pack.install, median(installs), median(copies), pack.target});
    std::wprintf(L"private memory after %-20ls %7.1f MB  (target <= %.0f MB) %ls\n", L"the install:", afterInstallMb,
                 kMemoryTargetMb, afterInstallMb <= kMemoryTargetMb ? L"met" : L"MISSED");
    allMet &= afterInstallMb <= kMemoryTargetMb;
    allMet &= report({pack.removal, median(removals), median(deletions), pack.target});
    allMet &= reportMemory(L"the removal:");
  }

  for (const auto& message : messages) std::wprintf(L"the program said: %ls\n", message.c_str());
  ::DestroyWindow(form->hwnd());
  game.removeRecord();
  ::DeleteFileW(flushed.c_str());
  return messages.empty() && allMet ? 0 : 2;
}
