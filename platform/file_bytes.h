#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Reads a whole file into `bytes` (reusing its storage) with one read. False, with
// `bytes` empty, when the file can't be opened or read or is larger than `maxBytes`.
bool readFileInto(const std::wstring& path, std::size_t maxBytes, std::string& bytes);

// Says whether the bytes read so far (all of the file when `whole`) are enough.
using EnoughBytes = std::function<bool(std::string_view bytes, bool whole)>;

// Reads a file's first bytes, 64 KB, then twice as many each time, asking `enough`
// after each read, until it says so or the whole file is read. `storage` is reused from
// file to file and never shrinks. Nothing when the file can't be opened or read or is
// larger than `maxBytes`.
std::optional<std::string_view> readFileStart(const std::wstring& path, std::size_t maxBytes, std::string& storage,
                                              const EnoughBytes& enough);

}  // namespace tarnwick
