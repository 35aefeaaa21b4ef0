#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/unique_handle.h"

namespace tarnwick {

// A JPEG decoded for a thumbnail by libjpeg-turbo, at the smallest of its reduced
// sizes that still covers the thumbnail (jpegScaleDenominator), then scaled to it.
struct JpegThumbnail {
  UniqueBitmap bitmap;  // exactly the size asked for; empty when the file is damaged
  SIZE decodedSize{};   // the size the decoder produced before the last scaling
};

// Nothing when the file can't be opened or doesn't start like a JPEG: other formats
// are left to the caller. A damaged JPEG (truncated, corrupt, absurdly large) gives a
// thumbnail with an empty bitmap.
std::optional<JpegThumbnail> decodeJpegThumbnail(const std::wstring& path, SIZE size);

}  // namespace tarnwick
