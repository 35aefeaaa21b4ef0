#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/unique_handle.h"

namespace tarnwick {

// Pictures (JPEG, BMP and whatever else the system's imaging component reads)
// decoded into bitmaps the windows can draw.

// The picture scaled to exactly `size`, whatever its aspect ratio; an empty
// bitmap when the file can't be read or decoded. JPEGs are decoded by libjpeg-turbo
// at a reduced size (jpeg_thumbnail.h), other formats by the imaging component,
// pulled through its scaler row by row: the program never holds a picture at full size.
UniqueBitmap loadPictureScaled(const std::wstring& path, SIZE size);

struct FullSizePicture {
  UniqueBitmap bitmap;
  SIZE size{};
};

// The picture at its own pixel size; nothing when it can't be read or decoded, with the
// system's result saying why in `failure` when asked for.
std::optional<FullSizePicture> loadPictureFullSize(const std::wstring& path, HRESULT* failure = nullptr);

}  // namespace tarnwick
