// Measures the program's start-up, from starting the process to its main window
// being shown, against minimal Win32 programs, in one run:
//   with 10,000 packs and a record of 500 files, against a program that opens one
//     window after enumerating the same pack folder (the work start-up can't avoid);
//   with 100 packs and the same record, against a program that makes the windows of
//     the main window (the same classes, styles and number, with the same font) and
//     does nothing else; and, for comparison, against the bare one-window program;
// and the program's private memory once its window is up. Medians of several runs
// (5 unless given as the fourth argument).
//   startup_bench TARNWICK_EXE MINIMAL_WINDOW_EXE MAIN_WINDOW_BASELINE_EXE [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
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
Run timeStart(const std::wstring& exe, const wchar_t* arguments, const wchar_t* windowClass, const std::wstring& folder) {
  Run run;
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
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

struct Case {
  const wchar_t* name;
  std::vector<double> ours, baseline;
  double target;  // 0: shown for comparison only
};

double fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

// Medians decide; the fastest runs are shown beside them because on a busy machine
// they come closest to what the start-up costs by itself.
void report(const Case& c) {
  const double ratio = median(c.ours) / median(c.baseline);
  std::wprintf(L"%-66ls %7.1f ms  baseline %7.1f ms  ratio %5.2f", c.name, median(c.ours), median(c.baseline), ratio);
  std::wprintf(L"  [fastest %.1f / %.1f = %.2f]", fastest(c.ours), fastest(c.baseline),
               fastest(c.ours) / fastest(c.baseline));
  if (c.target > 0) {
    std::wprintf(L"  (target <= %.1f) %ls\n", c.target, ratio <= c.target ? L"met" : L"MISSED");
  } else {
    std::wprintf(L"  (for comparison)\n");
  }
}

bool met(const Case& c) { return c.target <= 0 || median(c.ours) / median(c.baseline) <= c.target; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::wprintf(L"usage: startup_bench TARNWICK_EXE MINIMAL_WINDOW_EXE MAIN_WINDOW_BASELINE_EXE [RUNS]\n");
    return 1;
  }
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 5;
  const std::wstring program = argv[1], minimal = argv[2], mainWindows = argv[3];
  constexpr wchar_t kProgramClass[] = L"Tarnwick.Form1", kMinimalClass[] = L"Tarnwick.MinimalWindow";
  std::wprintf(L"preparing the benchmark game folders (made once, then kept)...\n");

  Case many{L"start-up, 10,000 packs, 500-file record, vs window + scan", {}, {}, kStartupTarget};
  Case manyBare{L"start-up, 10,000 packs, 500-file record, vs bare window", {}, {}, 0};
  Case few{L"start-up, 100 packs, 500-file record, vs the main window's windows", {}, {}, kStartupTarget};
  Case fewBare{L"start-up, 100 packs, 500-file record, vs bare window", {}, {}, 0};
  std::vector<double> memory;
  {
    const BenchGame game;
    for (int run = 0; run < runs; ++run) {
      game.writeRecordOf500Files();
      const Run ours = timeStart(program, L"", kProgramClass, game.gameFolder());
      const Run scanning = timeStart(minimal, L"--scan", kMinimalClass, game.gameFolder());
      const Run bare = timeStart(minimal, L"", kMinimalClass, game.gameFolder());
      if (ours.msToWindow < 0 || scanning.msToWindow < 0 || bare.msToWindow < 0) {
        std::wprintf(L"a window did not appear\n");
        return 1;
      }
      many.ours.push_back(ours.msToWindow);
      many.baseline.push_back(scanning.msToWindow);
      manyBare.ours.push_back(ours.msToWindow);
      manyBare.baseline.push_back(bare.msToWindow);
      memory.push_back(ours.privateMb);
    }
    game.removeRecord();
  }
  {
    const BenchGame game(100);
    for (int run = 0; run < runs; ++run) {
      game.writeRecordOf500Files();
      const Run ours = timeStart(program, L"", kProgramClass, game.gameFolder());
      const Run windows = timeStart(mainWindows, L"--main-window", kMinimalClass, game.gameFolder());
      const Run bare = timeStart(minimal, L"", kMinimalClass, game.gameFolder());
      if (ours.msToWindow < 0 || windows.msToWindow < 0 || bare.msToWindow < 0) {
        std::wprintf(L"a window did not appear\n");
        return 1;
      }
      few.ours.push_back(ours.msToWindow);
      few.baseline.push_back(windows.msToWindow);
      fewBare.ours.push_back(ours.msToWindow);
      fewBare.baseline.push_back(bare.msToWindow);
    }
    game.removeRecord();
  }
  const BenchGame restored;  // the registry points at the 10,000-pack game again

  const double mb = median(memory);
  std::wprintf(L"\n%d runs each, medians\n", runs);
  report(many);
  report(manyBare);
  report(few);
  report(fewBare);
  std::wprintf(L"%-66ls %7.1f MB  (target <= %.0f MB) %ls\n", L"private memory after start-up, 10,000 packs", mb,
               kMemoryTargetMb, mb <= kMemoryTargetMb ? L"met" : L"MISSED");
  return met(many) && met(few) && mb <= kMemoryTargetMb ? 0 : 2;
}
