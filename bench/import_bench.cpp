// Measures importing archives against a bare libarchive loop that unpacks the same
// archive to the same disk (archive_read_data_block into WriteFile, then one small file
// written and flushed), in one run under the same Wine:
//   - a zip of 200 files, 300 MB;
//   - a solid 7z of 1,000 maps made with 7-Zip's default settings;
// and the program's private memory during each import beyond what it had before and
// the decoder's own dictionary. Each figure is the median of several runs.
//   import_bench ZIP SEVEN_ZIP DICTIONARY_MB [RUNS]
#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/process_memory.h"
#include "packs/pack_import.h"
#include "platform/folder_operations.h"

using namespace tarnwick;
using namespace tarnwick::bench;

namespace {

constexpr double kTimeTarget = 1.2;
constexpr double kMemoryTargetMb = 48.0;
constexpr wchar_t kGame[] = L"C:\\tarnwick-bench\\import\\RA2";
constexpr wchar_t kBare[] = L"C:\\tarnwick-bench\\import\\bare";

void writeAndFlush(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const char text[] = "unpacked\r\n";
  DWORD written = 0;
  ::WriteFile(file, text, sizeof text - 1, &written, nullptr);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

// The bare loop: every entry written where its name says, nothing checked. False when
// libarchive stops early.
bool bareUnpack(const std::wstring& archivePath, const std::wstring& folder) {
  archive* reader = archive_read_new();
  archive_read_support_format_zip(reader);
  archive_read_support_format_7zip(reader);
  bool whole = archive_read_open_filename_w(reader, archivePath.c_str(), 1 << 16) == ARCHIVE_OK;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  archive_entry* entry = nullptr;
  std::vector<char> unused;
  while (whole && archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
    std::wstring path = folder + L"\\" + archive_entry_pathname_w(entry);
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    for (size_t at = path.find(L'\\', folder.size() + 1); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
      ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    if (archive_entry_filetype(entry) == AE_IFDIR) continue;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    int result;
    while ((result = archive_read_data_block(reader, &block, &size, &offset)) == ARCHIVE_OK) {
      DWORD written = 0;
      ::WriteFile(file, block, static_cast<DWORD>(size), &written, nullptr);
    }
    ::CloseHandle(file);
    whole = result == ARCHIVE_EOF;
  }
  archive_read_free(reader);
  writeAndFlush(folder + L"\\flushed.txt");
  return whole;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return std::wprintf(L"usage: import_bench ZIP SEVEN_ZIP DICTIONARY_MB [RUNS]\n"), 2;
  const double dictionaryMb = _wtof(argv[3]);
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 5;
  deleteFolderTree(kGame);
  ::CreateDirectoryW(L"C:\\tarnwick-bench", nullptr);
  ::CreateDirectoryW(L"C:\\tarnwick-bench\\import", nullptr);
  ::CreateDirectoryW(kGame, nullptr);
  if (makePackFolder(kGame) != NO_ERROR) return std::wprintf(L"cannot make the pack folder\n"), 1;
  bool allMet = true;
  struct Case {
    const wchar_t* what;
    std::wstring archive;
    double dictionaryMb;
  };
  for (const Case& c : {Case{L"import of a zip of 200 files, 300 MB", argv[1], 0.0},
                        Case{L"import of a solid 7z of 1,000 maps", argv[2], dictionaryMb}}) {
    std::vector<double> imports, bares;
    double mostMb = 0;  // the most private memory the import added, the dictionary included
    for (int run = 0; run < runs; ++run) {
      const double before = megabytes(processMemory().privateBytes);
      const auto sample = [&](size_t, std::optional<size_t>) {
        mostMb = std::max(mostMb, megabytes(processMemory().privateBytes) - before);
      };
      double start = nowMs();
      const ImportOutcome outcome = importPack({c.archive, kGame, {}, sample});
      imports.push_back(nowMs() - start);
      if (outcome.refusal || outcome.packs.size() != 1) return std::wprintf(L"%ls: not imported\n", c.what), 1;
      deleteFolderTree(std::wstring(kGame) + L"\\ZAzod\\" + outcome.packs.front().name);
      start = nowMs();
      const bool whole = bareUnpack(c.archive, kBare);
      bares.push_back(nowMs() - start);
      deleteFolderTree(kBare);
      if (!whole) return std::wprintf(L"%ls: the bare loop stopped\n", c.what), 1;
    }
    const double ratio = median(imports) / median(bares);
    std::wprintf(L"%-42ls %9.1f ms  baseline %9.1f ms  ratio %5.2f  (target <= %.1f) %ls\n", c.what, median(imports),
                 median(bares), ratio, kTimeTarget, ratio <= kTimeTarget ? L"met" : L"MISSED");
    const double beyondMb = std::max(0.0, mostMb - c.dictionaryMb);
    std::wprintf(
        L"private memory during it: %.1f MB more, %.1f MB beyond the %.0f MB dictionary  (target <= %.0f MB) %ls\n",
        mostMb, beyondMb, c.dictionaryMb, kMemoryTargetMb, beyondMb <= kMemoryTargetMb ? L"met" : L"MISSED");
    allMet &= ratio <= kTimeTarget && beyondMb <= kMemoryTargetMb;
  }
  deleteFolderTree(kGame);
  return allMet ? 0 : 2;
}
