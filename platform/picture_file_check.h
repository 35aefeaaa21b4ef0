#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// Whether a decoder may be given the picture file at `path`: S_OK when it is a BMP or
// JPEG on disk whose header claims a size the program can decode, otherwise the imaging
// component's error for a bad header or a size out of range (or the error of opening it).
// A file named like a device (CON, "aux.jpg" ...) is never opened.
HRESULT checkPictureFile(const std::wstring& path);

}  // namespace tarnwick
