#include "packs/archive_file.h"

#include <algorithm>

#include "platform/error_text.h"

namespace tarnwick {

DWORD ArchiveFile::open(const std::wstring& path) {
  file_.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return file_ ? NO_ERROR : lastErrorOr(ERROR_OPEN_FAILED);
}

int64_t ArchiveFile::read(void* into, size_t size) {
  DWORD got = 0;
  if (!::ReadFile(file_.get(), into, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), &got, nullptr)) {
    error_ = lastErrorOr(ERROR_READ_FAULT);
    return -1;
  }
  return got;
}

int64_t ArchiveFile::seek(int64_t offset, int whence) {
  const DWORD method = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance, place;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(file_.get(), distance, &place, method)) return -1;
  return place.QuadPart;
}

}  // namespace tarnwick
