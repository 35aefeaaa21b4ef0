#pragma once
#include <string>
#include <string_view>

namespace tarnwick::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it (read-only, hidden and system entries too) when the test is done.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& path() const { return path_; }
  // The folder's path + "\" + relative
  std::wstring operator/(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

 private:
  std::wstring path_;
};

void removeTree(const std::wstring& path);

}  // namespace tarnwick::test
