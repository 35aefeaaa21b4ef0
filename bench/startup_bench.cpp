// Measures the program's start-up, from starting the process to its main window
// being shown, with a pack folder of 10,000 packs and a record of 500 files, against a
// minimal Win32 program that opens one window; and the program's private memory once
// its window is up. Medians of several runs (5 unless given as the third argument).
//   startup_bench TARNWICK_EXE MINIMAL_WINDOW_EXE [RUNS]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_game.h"
#include "bench/measure.h"
#include "bench/process_memory.h"

using namespace tarnwick::bench;

namespace {

constexpr double kStartupTarget = 1.3;
constexpr double kMemoryTargetMb = 48.0;

struct Run {
  double msToWindow = -1;
  double privateMb = 0;
};

// Starts the program and waits for its window of `windowClass` to be visible.
Run timeStart(const std::wstring& exe, const wchar_t* windowClass, const std::wstring& folder) {
  Run run;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = nowMs();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
    return run;
  }
  HWND window = nullptr;
  while (nowMs() - start < 60000) {
    window = ::FindWindowW(windowClass, nullptr);
    if (window != nullptr && ::IsWindowVisible(window)) break;
    window = nullptr;
    ::Sleep(1);
  }
  if (window != nullptr) {
    run.msToWindow = nowMs() - start;
    ::Sleep(200);  // let it settle before its memory is read
    run.privateMb = megabytes(processMemory(process.hProcess).privateBytes);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return run;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::wprintf(L"usage: startup_bench TARNWICK_EXE MINIMAL_WINDOW_EXE [RUNS]\n");
    return 1;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
  std::wprintf(L"preparing the benchmark game folder (made once, then kept)...\n");
  const BenchGame game;

  std::vector<double> ours, baseline, memory;
  for (int run = 0; run < runs; ++run) {
    game.writeRecordOf500Files();
    const Run program = timeStart(argv[1], L"Tarnwick.Form1", game.gameFolder());
    const Run minimal = timeStart(argv[2], L"Tarnwick.MinimalWindow", game.gameFolder());
    if (program.msToWindow < 0 || minimal.msToWindow < 0) {
      std::wprintf(L"a window did not appear\n");
      return 1;
    }
    ours.push_back(program.msToWindow);
    baseline.push_back(minimal.msToWindow);
    memory.push_back(program.privateMb);
  }
  game.removeRecord();

  const double ratio = median(ours) / median(baseline);
  const double mb = median(memory);
  std::wprintf(L"\n%d runs each\n", runs);
  std::wprintf(L"%-34ls %9.1f ms  baseline %9.1f ms  ratio %5.2f  (target <= %.1f) %ls\n",
               L"start-up to the main window", median(ours), median(baseline), ratio, kStartupTarget,
               ratio <= kStartupTarget ? L"met" : L"MISSED");
  std::wprintf(L"private memory after %-20ls %7.1f MB  (target <= %.0f MB) %ls\n", L"start-up:", mb, kMemoryTargetMb,
               mb <= kMemoryTargetMb ? L"met" : L"MISSED");
  return ratio <= kStartupTarget && mb <= kMemoryTargetMb ? 0 : 2;
}
