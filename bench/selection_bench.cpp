// Measures what choosing a pack of large pictures costs in the real main window,
// against the same pictures decoded at full size and then scaled to the slot size
// (what keeping every picture at its own size would cost), both in one run; and how
// much the process's peak resident memory grows through the choices.
//
//   selection_bench FOLDER TARGET [RUNS]
//
// FOLDER holds the pictures (its *.jpg files, the first twelve by name); TARGET is the
// largest time ratio (choice / full-size way) that meets the target; RUNS is how many
// times each is measured (5 unless given); the medians are compared. Prints the
// figures; the exit code is 1 when a target is missed, 2 when the run itself failed.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/form1_layout.h"
#include "bench/measure.h"
#include "bench/process_memory.h"
#include "bench/stand_in_install.h"
#include "support/fixtures.h"
#include "packs/listings.h"
#include "platform/com_init.h"
#include "platform/dpi.h"
#include "platform/pictures.h"
#include "platform/rgb_bitmap.h"
#include "platform/unique_handle.h"

namespace {

using tarnwick::test::pumpMessages;

using tarnwick::Form1;
using tarnwick::UniqueBitmap;
namespace bench = tarnwick::bench;
using bench::megabytes;
using bench::median;
using bench::nowMs;
namespace layout = tarnwick::layout;

constexpr double kTargetGrowthMb = 24.0;
constexpr int kPackPictures = layout::kThumbnailCount;

std::vector<std::wstring> picturesIn(const std::wstring& folder) {
  tarnwick::FileListing listing(L"*.jpg", folder);
  listing.setPath(tarnwick::readFolderFiles(folder));
  std::vector<std::wstring> paths;
  for (const auto& name : listing.names()) {
    if (static_cast<int>(paths.size()) == kPackPictures) break;
    paths.push_back(folder + L"\\" + name);
  }
  return paths;
}

// Reads every file once, so neither measurement pays for the disk.
void warmFileCache(const std::vector<std::wstring>& paths) {
  std::vector<char> buffer(1 << 20);
  for (const auto& path : paths) {
    tarnwick::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    DWORD read = 0;
    while (file && ::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read) {
    }
  }
}

// One choice of the pack, as the user makes it: the combo's selection, then its handler.
double timeChoice(Form1& form) {
  const double start = nowMs();
  ::SendMessageW(form.Combo1(), CB_SETCURSEL, 0, 0);
  form.Combo1_Click();
  const double elapsed = nowMs() - start;
  pumpMessages();
  return elapsed;
}

// The whole-picture way: each picture decoded at its own size, then stretched into a
// slot-sized bitmap the way the main window draws its thumbnails.
double timeFullSizeThenScale(const std::vector<std::wstring>& paths, SIZE slot, int& scaled) {
  scaled = 0;
  const double start = nowMs();
  std::vector<UniqueBitmap> slots;
  HDC screen = ::GetDC(nullptr);
  for (const auto& path : paths) {
    auto picture = tarnwick::loadPictureFullSize(path);
    if (!picture) continue;
    tarnwick::BgrPixels pixels;
    UniqueBitmap target = tarnwick::newTopDownBitmap(slot, pixels);
    tarnwick::MemoryDc from(screen);
    tarnwick::MemoryDc to(screen);
    {
      tarnwick::SelectedObject source(from.get(), picture->bitmap.get());
      tarnwick::SelectedObject destination(to.get(), target.get());
      ::SetStretchBltMode(to.get(), HALFTONE);
      ::SetBrushOrgEx(to.get(), 0, 0, nullptr);
      if (::StretchBlt(to.get(), 0, 0, slot.cx, slot.cy, from.get(), 0, 0, picture->size.cx, picture->size.cy,
                       SRCCOPY)) {
        ++scaled;
      }
    }
    ::GdiFlush();
    slots.push_back(std::move(target));
  }
  const double elapsed = nowMs() - start;
  ::ReleaseDC(nullptr, screen);
  return elapsed;
}

int visibleSlots(const Form1& form) {
  int visible = 0;
  for (int slot = 0; slot < layout::kThumbnailCount; ++slot) {
    visible += (::GetWindowLongPtrW(form.Image1(slot), GWL_STYLE) & WS_VISIBLE) ? 1 : 0;  // the window itself is hidden
  }
  return visible;
}

int run(const std::wstring& folder, double target, int runs) {
  const auto paths = picturesIn(folder);
  if (static_cast<int>(paths.size()) < kPackPictures) {
    std::fwprintf(stderr, L"selection_bench: %ls holds %d *.jpg files, %d are needed\n", folder.c_str(),
                  static_cast<int>(paths.size()), kPackPictures);
    return 2;
  }
  std::wprintf(L"pack: the first %d *.jpg files of %ls\n", kPackPictures, folder.c_str());

  bench::StandInInstall install(paths);
  warmFileCache(paths);

  std::vector<std::wstring> messages;
  auto form = Form1::create(::GetModuleHandleW(nullptr),
                            [&messages](HWND, std::wstring_view text) { messages.emplace_back(text); });
  if (!form || ::SendMessageW(form->Combo1(), CB_GETCOUNT, 0, 0) != 1) {
    std::fwprintf(stderr, L"selection_bench: the main window didn't list the benchmark's pack\n");
    return 2;
  }
  pumpMessages();
  const UINT dpi = tarnwick::dpiForWindow(form->hwnd());
  const SIZE slot{tarnwick::twipsToPixels(layout::kThumbnailWidth, dpi),
                  tarnwick::twipsToPixels(layout::kThumbnailHeight, dpi)};

  // Peak resident memory through all the choices, before the full-size way has run,
  // against what was resident just before them. Under Wine the working set figures
  // are the Linux process's VmRSS and VmHWM.
  const auto before = bench::processMemory();
  std::vector<double> choices;
  for (int i = 0; i < runs; ++i) choices.push_back(timeChoice(*form));
  const auto after = bench::processMemory();
  if (visibleSlots(*form) != kPackPictures) {
    std::fwprintf(stderr, L"selection_bench: the choice showed %d of %d pictures\n", visibleSlots(*form),
                  kPackPictures);
    return 2;
  }

  std::vector<double> baselines;
  for (int i = 0; i < runs; ++i) {
    int scaled = 0;
    baselines.push_back(timeFullSizeThenScale(paths, slot, scaled));
    if (scaled != kPackPictures) {
      std::fwprintf(stderr, L"selection_bench: the full-size way scaled %d of %d pictures\n", scaled, kPackPictures);
      return 2;
    }
  }
  const auto end = bench::processMemory();

  const double choice = median(choices);
  const double baseline = median(baselines);
  const double ratio = choice / baseline;
  const double growth = megabytes(after.peakWorkingSet) - megabytes(before.workingSet);
  std::wprintf(L"slot size: %ldx%ld pixels (%d dpi)\n", slot.cx, slot.cy, static_cast<int>(dpi));
  std::wprintf(L"choosing the pack in the main window:          median %8.1f ms of %d runs\n", choice, runs);
  std::wprintf(L"full-size decode, then scale (halftone):       median %8.1f ms of %d runs\n", baseline, runs);
  std::wprintf(L"time ratio (choice / full-size way):           %.3f   target <= %.2f %ls\n", ratio, target,
               ratio <= target ? L"met" : L"MISSED");
  std::wprintf(L"working set before the choices:                %8.1f MB\n", megabytes(before.workingSet));
  std::wprintf(L"peak working set after them:                   %8.1f MB\n", megabytes(after.peakWorkingSet));
  std::wprintf(L"peak working set growth through the choices:   %8.1f MB   target <= %.0f MB %ls\n", growth,
               kTargetGrowthMb, growth <= kTargetGrowthMb ? L"met" : L"MISSED");
  std::wprintf(L"private memory before / after the choices:     %8.1f / %.1f MB\n", megabytes(before.privateBytes),
               megabytes(after.privateBytes));
  std::wprintf(L"peak working set (whole run, full-size way too): %6.1f MB\n", megabytes(end.peakWorkingSet));
  for (const auto& message : messages) std::wprintf(L"message shown: %ls\n", message.c_str());

  const bool met = ratio <= target && growth <= kTargetGrowthMb;
  std::wprintf(L"%ls\n", met ? L"targets met" : L"TARGET MISSED");
  return met ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const double target = argc >= 3 ? std::wcstod(argv[2], nullptr) : 0;
  if (argc < 3 || argc > 4 || target <= 0) {
    std::fwprintf(stderr, L"usage: selection_bench FOLDER TARGET [RUNS]\n");
    return 2;
  }
  const int runs = argc == 4 ? std::max(1, static_cast<int>(std::wcstol(argv[3], nullptr, 10))) : 5;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  const tarnwick::ComInit com;
  try {
    return run(argv[1], target, runs);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "selection_bench: %s\n", failure.what());
    return 2;
  }
}
