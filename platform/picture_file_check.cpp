#include "platform/picture_file_check.h"

#include <wincodec.h>

#include "platform/plain_file_name.h"
#include "platform/picture_header.h"
#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

class PictureFile final : public PictureBytes {
 public:
  PictureFile(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
  [[nodiscard]] std::uint64_t size() const override { return size_; }
  std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) const override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!::ReadFile(file_, into.data(), static_cast<DWORD>(into.size()), &read, &at)) return 0;
    return read;
  }

 private:
  HANDLE file_;
  std::uint64_t size_;
};

}  // namespace

HRESULT checkPictureFile(const std::wstring& path) {
  if (!isPlainFileName(path.substr(path.find_last_of(L"\\/") + 1))) return WINCODEC_ERR_BADHEADER;
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return HRESULT_FROM_WIN32(::GetLastError());
  LARGE_INTEGER size{};
  if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) return WINCODEC_ERR_BADHEADER;

  switch (readPictureClaim(PictureFile(file.get(), static_cast<std::uint64_t>(size.QuadPart))).verdict) {
    case PictureVerdict::Sound: return S_OK;
    case PictureVerdict::TooLarge: return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    case PictureVerdict::Damaged: break;
  }
  return WINCODEC_ERR_BADHEADER;
}

}  // namespace tarnwick
