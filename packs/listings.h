#pragma once
#include <string>
#include <vector>

namespace tarnwick {

// The folder listing behind the pack list: its items are the full paths of the
// sub-folders of its path, sorted by name ignoring case; item -1 is the path itself.
// It reads the folder when its path is set and not again until the next time.
class FolderListing {
 public:
  explicit FolderListing(std::wstring initialPath);

  // False, with the listing unchanged, when the folder can't be read.
  bool setPath(const std::wstring& path);

  [[nodiscard]] const std::wstring& path() const { return path_; }
  [[nodiscard]] int count() const { return static_cast<int>(items_.size()); }
  [[nodiscard]] std::wstring item(int index) const;
  [[nodiscard]] const std::vector<std::wstring>& names() const { return names_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> names_;  // the sub-folders' own names
  std::vector<std::wstring> items_;  // their full paths, same order
};

// A file listing: the names, without folder, of the files directly in its path that
// match its patterns (e.g. "*.jpg;*.bmp", ignoring case) and are neither hidden nor
// system, sorted by name ignoring case. A folder that can't be read lists nothing.
class FileListing {
 public:
  FileListing(std::wstring patterns, std::wstring initialPath);

  void setPath(const std::wstring& path);

  [[nodiscard]] const std::wstring& path() const { return path_; }
  [[nodiscard]] int count() const { return static_cast<int>(names_.size()); }
  [[nodiscard]] const std::vector<std::wstring>& names() const { return names_; }

 private:
  std::wstring patterns_;
  std::wstring path_;
  std::vector<std::wstring> names_;
};

}  // namespace tarnwick
