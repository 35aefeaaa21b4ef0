#pragma once
#include <string>
#include <vector>

namespace tarnwick::bench {

// The game install the operation benchmarks work on, made once and kept between runs
// (making ten thousand folders and 300 MB of files takes longer than measuring them):
// C:\tarnwick-bench\RA2 with gamemd.exe's path in the registry, and in its ZAzod
// ten thousand empty packs, one large pack of 200 files (300 MB, one of them a map), one
// pack of 8,000 small files, the pristine string table and an installed-pack record
// naming 500 files. With another pack count, a game folder of its own (RA2-<count>)
// without the large packs. Making one points the registry at it.
class BenchGame {
 public:
  static constexpr int kPackCount = 10000;
  static constexpr int kLargePackFiles = 200;
  static constexpr size_t kLargePackFileBytes = 300u * 1024u * 1024u / kLargePackFiles;
  static constexpr int kRecordFiles = 500;
  static constexpr const wchar_t* kLargePackName = L"~ Large Pack";
  static constexpr int kSmallPackFiles = 8000;
  static constexpr const wchar_t* kSmallPackName = L"~ Small Pack";

  explicit BenchGame(int packCount = kPackCount);  // throws when it can't be made

  [[nodiscard]] const std::wstring& gameFolder() const { return gameFolder_; }
  [[nodiscard]] std::wstring packFolder() const { return gameFolder_ + L"\\ZAzod"; }
  [[nodiscard]] std::wstring largePack() const { return packFolder() + L"\\" + kLargePackName; }
  [[nodiscard]] const std::vector<std::wstring>& largePackFiles() const { return largePackFiles_; }
  [[nodiscard]] std::wstring smallPack() const { return packFolder() + L"\\" + kSmallPackName; }
  [[nodiscard]] const std::vector<std::wstring>& smallPackFiles() const { return smallPackFiles_; }

  // The record as start-up reads it: a pack with 500 files (none of which exist).
  void writeRecordOf500Files() const;
  void removeRecord() const;

 private:
  std::wstring gameFolder_;
  std::vector<std::wstring> largePackFiles_;
  std::vector<std::wstring> smallPackFiles_;
};

}  // namespace tarnwick::bench
