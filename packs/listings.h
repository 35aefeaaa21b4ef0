#pragma once
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The folder listing behind the pack list: its items are the full paths of the
// sub-folders of its path, sorted by name ignoring case; item -1 is the path itself.
// It reads the folder when its path is set and not again until the next time.
class FolderListing {
 public:
  explicit FolderListing(std::wstring initialPath);

  // False, with the listing unchanged, when the folder can't be read (a file where the
  // folder should be and a missing folder can't either).
  bool setPath(const std::wstring& path);
  // Begins reading `path`: a small folder now, a large one on a thread of its own. The
  // next setPath takes that reading, waiting for it, instead of reading the folder itself
  // when it is given the same path. Start-up reads the pack folder so before it makes
  // the window, so that a large folder is read while the controls are made.
  void readAhead(const std::wstring& path);

  [[nodiscard]] const std::wstring& path() const { return path_; }
  [[nodiscard]] int count() const { return static_cast<int>(names_.size()); }
  [[nodiscard]] std::wstring item(int index) const;
  [[nodiscard]] const std::vector<std::wstring>& names() const { return names_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> names_;  // the sub-folders' own names
  std::wstring aheadPath_;
  std::future<std::optional<std::vector<std::wstring>>> ahead_;
};

// The files directly in a folder that are neither hidden nor system, sorted by name
// ignoring case; none when the folder can't be read. A folder is read once, however many
// file listings show it.
struct FolderFiles {
  std::wstring path;
  std::vector<std::wstring> names;
};
[[nodiscard]] FolderFiles readFolderFiles(const std::wstring& path);

// A file listing: the names, without folder, of a folder's files (as FolderFiles has
// them, in their order) that match its patterns, e.g. "*.jpg;*.bmp", ignoring case.
class FileListing {
 public:
  FileListing(std::wstring patterns, std::wstring initialPath);

  void setPath(const FolderFiles& folder);

  [[nodiscard]] const std::wstring& path() const { return path_; }
  [[nodiscard]] int count() const { return static_cast<int>(names_.size()); }
  [[nodiscard]] const std::vector<std::wstring>& names() const { return names_; }

 private:
  std::wstring patterns_;
  std::wstring path_;
  std::vector<std::wstring> names_;
};

}  // namespace tarnwick
