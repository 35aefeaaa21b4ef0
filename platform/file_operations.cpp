#include "platform/file_operations.h"

#include <algorithm>

#include "platform/error_text.h"
#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

// Data reaches the disk before the rename that publishes it; otherwise a power cut right
// after the rename could leave the new name on an empty file.
DWORD flushToDisk(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lastErrorOr(ERROR_OPEN_FAILED);
  if (!::FlushFileBuffers(file.get())) return lastErrorOr(ERROR_WRITE_FAULT);
  return NO_ERROR;
}

DWORD clearReadOnly(const std::wstring& path, DWORD attributes) {
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return NO_ERROR;
  if (!::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) return lastErrorOr(ERROR_ACCESS_DENIED);
  return NO_ERROR;
}

}  // namespace

PendingReplacement::PendingReplacement(std::wstring target) : target_(std::move(target)) {}

PendingReplacement::~PendingReplacement() {
  if (!temporary_.empty()) {
    ::SetFileAttributesW(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temporary_.c_str());
  }
}

DWORD PendingReplacement::createTemporary() {
  // Beside the target, so the final move is a rename on one volume; named after it, so
  // one left behind by a crash says what it was and is simply overwritten next time.
  if (temporary_.empty()) temporary_ = target_ + std::wstring(kTemporarySuffix);
  return NO_ERROR;
}

DWORD PendingReplacement::copyFrom(const std::wstring& source, Durability durability) {
  if (const DWORD error = createTemporary()) return error;
  if (!::CopyFileW(source.c_str(), temporary_.c_str(), FALSE)) return lastErrorOr(ERROR_OPEN_FAILED);
  const DWORD attributes = ::GetFileAttributesW(temporary_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrorOr(ERROR_FILE_NOT_FOUND);
  if (const DWORD error = clearReadOnly(temporary_, attributes)) return error;
  return durability == Durability::FlushedToDisk ? flushToDisk(temporary_) : NO_ERROR;
}

DWORD PendingReplacement::write(std::string_view bytes) {
  if (const DWORD error = createTemporary()) return error;
  UniqueFile file(::CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lastErrorOr(ERROR_OPEN_FAILED);
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), chunk, &written, nullptr)) return lastErrorOr(ERROR_WRITE_FAULT);
    if (written == 0) return ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  if (!::FlushFileBuffers(file.get())) return lastErrorOr(ERROR_WRITE_FAULT);
  return NO_ERROR;
}

DWORD PendingReplacement::commit() {
  if (temporary_.empty()) return ERROR_INVALID_FUNCTION;
  const DWORD targetAttributes = ::GetFileAttributesW(target_.c_str());
  if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY)) {
    return ERROR_ACCESS_DENIED;
  }
  if (!::MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return lastErrorOr(ERROR_ACCESS_DENIED);
  }
  temporary_.clear();
  return NO_ERROR;
}

DWORD copyFileReplacing(const std::wstring& source, const std::wstring& target) {
  PendingReplacement replacement(target);
  if (const DWORD error = replacement.copyFrom(source)) return error;
  return replacement.commit();
}

DWORD copyToNewFile(const std::wstring& source, const std::wstring& target) {
  if (!::CopyFileW(source.c_str(), target.c_str(), TRUE)) {
    const DWORD error = lastErrorOr(ERROR_OPEN_FAILED);
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ::DeleteFileW(target.c_str());
    return error;
  }
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrorOr(ERROR_FILE_NOT_FOUND);
  return clearReadOnly(target, attributes);
}

DWORD writeFileReplacing(const std::wstring& path, std::string_view bytes) {
  PendingReplacement replacement(path);
  if (const DWORD error = replacement.write(bytes)) return error;
  return replacement.commit();
}

DWORD deleteFileClearingReadOnly(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrorOr(ERROR_FILE_NOT_FOUND);
  if (const DWORD error = clearReadOnly(path, attributes)) return error;
  if (::DeleteFileW(path.c_str())) return NO_ERROR;
  const DWORD error = lastErrorOr(ERROR_ACCESS_DENIED);
  ::SetFileAttributesW(path.c_str(), attributes);
  return error;
}

DWORD moveFileReplacing(const std::wstring& from, const std::wstring& to) {
  const DWORD attributes = ::GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (const DWORD error = clearReadOnly(to, attributes)) return error;
  }
  if (::MoveFileExW(from.c_str(), to.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH | MOVEFILE_COPY_ALLOWED)) {
    return NO_ERROR;
  }
  const DWORD error = lastErrorOr(ERROR_ACCESS_DENIED);
  if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(to.c_str(), attributes);
  return error;
}

}  // namespace tarnwick
