#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

// Whether staged content is flushed to the disk before it is moved into place. Only what
// can't be made again needs it (a kept original, the record): a pack's file lost to a
// power cut is copied again from its pack, and flushing every copy would cost the
// install more than the copying.
enum class Durability { FlushedToDisk, Cached };

// Ends the name of the temporary file beside a target (see PendingReplacement).
inline constexpr std::wstring_view kTemporarySuffix = L".tarnwick-partial";

// A file's new content, made whole in a temporary file beside it and then moved over it
// in one step: a crash, a full disk or a locked file leaves the old file or the new one,
// never a half-written one. The temporary file goes away unless the move was made.
// Every step returns NO_ERROR or the system's error code.
class PendingReplacement {
 public:
  explicit PendingReplacement(std::wstring target);
  ~PendingReplacement();
  PendingReplacement(const PendingReplacement&) = delete;
  PendingReplacement& operator=(const PendingReplacement&) = delete;

  // The new content is a copy of `source`, made writable: an attribute carried over from a
  // pack folder must not stop the next install or removal of the same file.
  [[nodiscard]] DWORD copyFrom(const std::wstring& source, Durability durability = Durability::FlushedToDisk);
  [[nodiscard]] DWORD write(std::string_view bytes);
  // A read-only target is refused, as Windows itself refuses to replace it (Wine, run as
  // root, would replace it).
  [[nodiscard]] DWORD commit();

  // Empty until the content has been staged, and again once committed.
  [[nodiscard]] const std::wstring& temporaryPath() const { return temporary_; }

 private:
  [[nodiscard]] DWORD createTemporary();

  std::wstring target_;
  std::wstring temporary_;
};

[[nodiscard]] DWORD copyFileReplacing(const std::wstring& source, const std::wstring& target);

// Copies a file to where no file is (an existing one is refused with ERROR_FILE_EXISTS),
// made writable. A copy that fails half-way is deleted again.
[[nodiscard]] DWORD copyToNewFile(const std::wstring& source, const std::wstring& target);
[[nodiscard]] DWORD writeFileReplacing(const std::wstring& path, std::string_view bytes);

// Deletes a file, clearing its read-only attribute first; the attribute comes back when
// the delete fails.
[[nodiscard]] DWORD deleteFileClearingReadOnly(const std::wstring& path);

// Moves a file over another one (or to where none is), clearing a read-only attribute of
// the one replaced first; the attribute comes back when the move fails.
[[nodiscard]] DWORD moveFileReplacing(const std::wstring& from, const std::wstring& to);

}  // namespace tarnwick
