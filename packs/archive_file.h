#pragma once
#include <windows.h>

#include <string>

#include "packs/archive_source.h"
#include "platform/unique_handle.h"

namespace tarnwick {

// A file read as an archive's bytes (or copied), others still free to read it.
class ArchiveFile : public ArchiveSource {
 public:
  // NO_ERROR or the system's error.
  [[nodiscard]] DWORD open(const std::wstring& path);

  int64_t read(void* into, size_t size) override;
  int64_t seek(int64_t offset, int whence) override;
  [[nodiscard]] uint32_t error() const override { return error_; }

 private:
  UniqueFile file_;
  DWORD error_ = NO_ERROR;
};

}  // namespace tarnwick
