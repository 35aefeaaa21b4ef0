#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarnwick {

// The entries directly in a folder, read once and looked up by name ignoring case, as
// the file system looks them up. Asking the system about each name costs far more
// where a name is missing: Wine then scans the whole folder for it ignoring case.
class FolderSnapshot {
 public:
  // Every entry, hidden and system ones too; an unreadable folder holds nothing.
  explicit FolderSnapshot(const std::wstring& folder);

  [[nodiscard]] bool hasFile(std::wstring_view name) const;
  [[nodiscard]] bool hasFolder(std::wstring_view name) const;
  [[nodiscard]] bool hasEntry(std::wstring_view name) const;

  // Keeps the snapshot in step with what the program itself does to the folder.
  void addFile(std::wstring_view name);
  void remove(std::wstring_view name);

 private:
  std::unordered_map<std::wstring, bool> isFolder_;  // by the name in upper case
};

// The name as the file system compares names: in upper case.
std::wstring foldedFileName(std::wstring_view name);

}  // namespace tarnwick
