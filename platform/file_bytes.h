#pragma once
#include <cstddef>
#include <string>

namespace tarnwick {

// Reads a whole file into `bytes` (reusing its storage) with one read. False, with
// `bytes` empty, when the file can't be opened or read or is larger than `maxBytes`.
bool readFileInto(const std::wstring& path, std::size_t maxBytes, std::string& bytes);

}  // namespace tarnwick
