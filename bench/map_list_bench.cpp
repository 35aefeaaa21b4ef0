// Measures what choosing a pack of 50 maps of 350 KB each costs in the real main
// window (a row for each map, and for the rows in sight what drawing them asks for:
// the name, players and picture each one's map gives), and what sorting a pack of 1,000
// such maps by name costs (a click on the header: every map's name and players read,
// then what drawing the rows in sight asks for), each against only reading the same
// files' bytes once with ReadFile, in one run.
//
//   map_list_bench [RUNS]
//
// The maps are made for the run: each a preview of 288 x 144 pixels (packed as LZO1X
// literals, the largest a preview of that size can take) and packed cell data up to
// 350 KB. Prints the figures; the exit code is 1 when a target is missed, 2 when the run
// itself failed.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include "app/form1.h"
#include "bench/measure.h"
#include "bench/process_memory.h"
#include "bench/stand_in_install.h"
#include "support/fixtures.h"
#include "maps/map_info.h"
#include "tests/native/map_text.h"
#include "platform/code_page.h"
#include "platform/com_init.h"
#include "platform/unique_handle.h"

namespace {

using tarnwick::test::pumpMessages;

using tarnwick::Form1;
namespace bench = tarnwick::bench;
using bench::megabytes;
using bench::median;
using bench::nowMs;
using tarnwick::base64Text;
using tarnwick::numberedLines;

constexpr double kTargetRatio = 1.5;
constexpr double kMemoryTargetMb = 48.0;
constexpr int kMaps = 50;
constexpr int kSortedMaps = 1000;
constexpr size_t kMapBytes = 350 * 1024;
constexpr int kPreviewWidth = 288, kPreviewHeight = 144;

std::string mapText(int number) {
  std::string rgb;
  for (int y = 0; y < kPreviewHeight; ++y) {
    for (int x = 0; x < kPreviewWidth; ++x) rgb += {char(x + number), char(y * 2), char((x ^ y) + number)};
  }
  std::string packed;
  for (size_t at = 0; at < rgb.size(); at += 8192) {
    const std::string chunk = rgb.substr(at, 8192);
    std::string block(1, '\0');  // a run of literals: 18 + 255 per zero byte + the last byte
    for (size_t rest = chunk.size() - 18; rest > 0; rest -= std::min<size_t>(rest, 255)) {
      block += rest > 255 ? '\0' : static_cast<char>(rest);
    }
    block += chunk + std::string("\x11\0\0", 3);
    for (const size_t size : {block.size(), chunk.size()}) packed += {char(size & 0xFF), char(size >> 8)};
    packed += block;
  }
  std::string text = "[Preview]\r\nSize=0,0," + std::to_string(kPreviewWidth) + "," + std::to_string(kPreviewHeight) +
                     "\r\n\r\n[PreviewPack]\r\n" + numberedLines(base64Text(packed)) +
                     "\r\n[Header]\r\nNumberStartingPoints=" + std::to_string(2 + number % 7) +
                     "\r\n\r\n[Basic]\r\nName=\xE5\x9C\xB0\xE5\x9B\xBE " + std::to_string(number) +
                     "\r\nAuthor=Tarnwick bench\r\n\r\n[IsoMapPack5]\r\n";
  std::string cells;
  for (size_t i = 0; text.size() + cells.size() * 4 / 3 * 72 / 70 < kMapBytes; ++i) {
    cells += static_cast<char>(i * 37 + i / 7 + number);
  }
  text += numberedLines(base64Text(cells));
  text.resize(std::min(text.size(), kMapBytes));
  return text;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  tarnwick::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write a map for the benchmark");
  }
}

// The baseline: every file's bytes read once, as plainly as Windows offers.
double timeReadingOnce(const std::vector<std::wstring>& paths, size_t& total) {
  total = 0;
  const double start = nowMs();
  std::string buffer;
  for (const auto& path : paths) {
    tarnwick::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) continue;
    buffer.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) total += read;
  }
  return nowMs() - start;
}

// What the baseline spends on opening and closing the files alone.
double timeOpeningOnly(const std::vector<std::wstring>& paths) {
  const double start = nowMs();
  for (const auto& path : paths) {
    tarnwick::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (file) ::GetFileSizeEx(file.get(), &size);
  }
  return nowMs() - start;
}

// What reading every map in full costs without the files: the bytes already in memory,
// read for name, players and preview, fitted to a row's picture.
double timeDecodingOnly(const std::vector<std::string>& files) {
  const double start = nowMs();
  size_t pictures = 0;
  for (const auto& bytes : files) {
    const auto map = tarnwick::readMapInfo(bytes, [](std::string_view text) { return tarnwick::fromAnsi(text); });
    if (map.preview) pictures += tarnwick::fitInBox(*map.preview, 64, 32).rgb.empty() ? 0 : 1;
  }
  const double elapsed = nowMs() - start;
  return pictures == files.size() ? elapsed : -1.0;
}

// What drawing the rows in sight asks for: each row's name and picture, then its
// players. Wine's drawing itself is left out, as it is of the thumbnails.
void askForRowsInSight(HWND list) {
  const int inSight = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  for (int row = 0; row < inSight; ++row) {
    wchar_t text[260];
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

// The pictures the list has made of its maps' previews (besides the blank one).
int picturesMade(HWND list) {
  return ::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0))) - 1;
}

void choose(Form1& form, int pack) {
  ::SendMessageW(form.Combo1(), CB_SETCURSEL, static_cast<WPARAM>(pack), 0);
  form.Combo1_Click();
  askForRowsInSight(form.ListView1());
}

double timeChoice(Form1& form, int pack) {
  const double start = nowMs();
  choose(form, pack);
  const double elapsed = nowMs() - start;
  pumpMessages();
  return elapsed;
}

// A sort by name right after the pack is chosen, when only the rows in sight are read.
double timeSort(Form1& form, int pack) {
  choose(form, pack);
  pumpMessages();
  const double start = nowMs();
  tarnwick::test::clickColumnHeader(form.ListView1(), 0);
  askForRowsInSight(form.ListView1());
  const double elapsed = nowMs() - start;
  pumpMessages();
  return elapsed;
}

std::vector<std::wstring> writeMaps(const std::wstring& folder, int count) {
  std::vector<std::wstring> paths;
  for (int number = 0; number < count; ++number) {
    wchar_t name[32];
    std::swprintf(name, 32, L"map %03d.map", number);
    paths.push_back(folder + L"\\" + name);
    writeFile(paths.back(), mapText(number));
  }
  return paths;
}

int run(int runs) {
  bench::StandInInstall install({});
  const std::vector<std::wstring> paths = writeMaps(install.packFolder(), kMaps);
  const std::wstring sortFolder = install.packFolder().substr(0, install.packFolder().rfind(L'\\')) + L"\\千图";
  tarnwick::test::makeFolder(sortFolder);
  const std::vector<std::wstring> sortPaths = writeMaps(sortFolder, kSortedMaps);
  size_t total = 0, sortTotal = 0;
  timeReadingOnce(sortPaths, sortTotal);  // into the file cache, for both measurements
  timeReadingOnce(paths, total);
  std::wprintf(L"packs: %d maps, %.1f MB, and %d maps, %.1f MB, previews %dx%d\n", kMaps, megabytes(total),
               kSortedMaps, megabytes(sortTotal), kPreviewWidth, kPreviewHeight);

  auto form = Form1::create(::GetModuleHandleW(nullptr), [](HWND, std::wstring_view) {});
  const auto packIndex = [&form](const wchar_t* name) {
    return static_cast<int>(::SendMessageW(form->Combo1(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(name)));
  };
  const int pack = form ? packIndex(L"大图") : -1, sortPack = form ? packIndex(L"千图") : -1;
  if (pack < 0 || sortPack < 0) {
    std::fwprintf(stderr, L"map_list_bench: the main window didn't list the benchmark's packs\n");
    return 2;
  }
  pumpMessages();
  const auto before = bench::processMemory();
  std::vector<double> choices, baselines, openings, decodings;
  for (int i = 0; i < runs; ++i) {
    choices.push_back(timeChoice(*form, pack));
    baselines.push_back(timeReadingOnce(paths, total));
    openings.push_back(timeOpeningOnly(paths));
  }
  const auto after = bench::processMemory();
  std::vector<double> sorts, sortBaselines;
  for (int i = 0; i < runs; ++i) {
    sorts.push_back(timeSort(*form, sortPack));
    sortBaselines.push_back(timeReadingOnce(sortPaths, sortTotal));
  }
  const auto afterSorts = bench::processMemory();
  // Sorted, with pictures made only for the rows in sight (the first maps by name are
  // the first files too).
  wchar_t firstRow[260]{};
  ListView_GetItemText(form->ListView1(), 0, 0, firstRow, 260);
  if (::SendMessageW(form->ListView1(), LVM_GETITEMCOUNT, 0, 0) != kSortedMaps || std::wstring(firstRow) != L"地图 0" ||
      picturesMade(form->ListView1()) != ::SendMessageW(form->ListView1(), LVM_GETCOUNTPERPAGE, 0, 0)) {
    std::fwprintf(stderr, L"map_list_bench: the sorted list starts with \"%ls\", %d pictures made\n", firstRow,
                  picturesMade(form->ListView1()));
    return 2;
  }
  timeChoice(*form, pack);  // the 50 maps again, for the checks below

  std::vector<std::string> files;  // only now: they would count in the program's memory
  for (int number = 0; number < kMaps; ++number) files.push_back(mapText(number));
  for (int i = 0; i < runs; ++i) decodings.push_back(timeDecodingOnly(files));
  const LRESULT rows = ::SendMessageW(form->ListView1(), LVM_GETITEMCOUNT, 0, 0);
  const int made = picturesMade(form->ListView1());
  const auto inSight = ::SendMessageW(form->ListView1(), LVM_GETCOUNTPERPAGE, 0, 0);
  if (rows != kMaps || inSight < 1 || made != inSight) {
    std::fwprintf(stderr, L"map_list_bench: the list shows %d rows and %d pictures\n", static_cast<int>(rows), made);
    return 2;
  }

  const double choice = median(choices), baseline = median(baselines), ratio = choice / baseline;
  const double sort = median(sorts), sortBaseline = median(sortBaselines), sortRatio = sort / sortBaseline;
  std::wprintf(L"choosing the pack in the main window:       median %8.1f ms of %d runs\n", choice, runs);
  std::wprintf(L"reading the same bytes once (ReadFile):     median %8.1f ms of %d runs\n", baseline, runs);
  std::wprintf(L"of that, opening and closing the files:     median %8.1f ms of %d runs\n", median(openings), runs);
  std::wprintf(L"pictures made at the choice (rows in sight): %d\n", made);
  std::wprintf(L"reading all 50 maps in full, from memory:   median %8.1f ms of %d runs\n", median(decodings), runs);
  std::wprintf(L"time ratio (choice / reading):              %.3f   target <= %.2f\n", ratio, kTargetRatio);
  std::wprintf(L"sorting %d maps by name (a header click):  median %8.1f ms of %d runs\n", kSortedMaps, sort, runs);
  std::wprintf(L"reading the same bytes once (ReadFile):     median %8.1f ms of %d runs\n", sortBaseline, runs);
  std::wprintf(L"time ratio (sort / reading):                %.3f   target <= %.2f\n", sortRatio, kTargetRatio);
  std::wprintf(L"private memory before the first choice:     %8.1f MB\n", megabytes(before.privateBytes));
  std::wprintf(L"private memory after the choices:           %8.1f MB   target <= %.0f MB\n",
               megabytes(after.privateBytes), kMemoryTargetMb);
  std::wprintf(L"private memory after the sorts:             %8.1f MB   target <= %.0f MB\n",
               megabytes(afterSorts.privateBytes), kMemoryTargetMb);
  const bool met = ratio <= kTargetRatio && sortRatio <= kTargetRatio &&
                   std::max(megabytes(after.privateBytes), megabytes(afterSorts.privateBytes)) <= kMemoryTargetMb;
  std::wprintf(L"%ls\n", met ? L"targets met" : L"TARGET MISSED");
  return met ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc >= 2 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 5;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  const tarnwick::ComInit com;
  try {
    return run(runs);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "map_list_bench: %s\n", failure.what());
    return 2;
  }
}
