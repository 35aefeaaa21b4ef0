#pragma once
#include <windows.h>

#include <string>

#include "packs/unpacking.h"
#include "platform/unique_handle.h"

namespace tarnwick {

// The folder an import unpacks into: a plain folder of its own in the program's hidden
// folder "ZAzod\.unpacking", so nothing of it is listed as a pack before it is whole and
// moved out. Files are made new (never opened where one is) and written as they come;
// paths are used in their long form, so a pack's final place alone limits their length.
// Whatever is still in the folder goes with it.
class UnpackingFolder : public UnpackTarget {
 public:
  explicit UnpackingFolder(std::wstring gameDir) : gameDir_(std::move(gameDir)) {}
  ~UnpackingFolder() override;
  UnpackingFolder(const UnpackingFolder&) = delete;
  UnpackingFolder& operator=(const UnpackingFolder&) = delete;

  // NO_ERROR or the system's error.
  [[nodiscard]] DWORD create();
  // The folder's path in its long form.
  [[nodiscard]] const std::wstring& path() const { return root_; }

  std::optional<ImportRefusal> makeFolder(const std::wstring& path) override;
  std::optional<ImportRefusal> beginFile(const std::wstring& path) override;
  std::optional<ImportRefusal> write(const void* bytes, size_t size) override;
  std::optional<ImportRefusal> endFile() override;

 private:
  std::wstring gameDir_;
  std::wstring root_;
  UniqueFile file_;
  std::wstring filePath_;
};

}  // namespace tarnwick
