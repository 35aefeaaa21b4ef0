#include "game/running_game.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

// One spelling for one file: absolute, with long names (the registry may hold 8.3 ones).
std::wstring canonicalPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);

  std::wstring longForm(full.size() + MAX_PATH, L'\0');
  const DWORD longLength = ::GetLongPathNameW(full.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
  if (longLength == 0 || longLength >= longForm.size()) return full;
  longForm.resize(longLength);
  return longForm;
}

std::optional<std::wstring> processImagePath(DWORD processId) {
  UniqueKernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) return std::nullopt;
  path.resize(size);
  return path;
}

std::wstring_view fileNameOf(std::wstring_view path) {
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

// Only a program of the same file name can be the game; an 8.3 name may be any.
bool mayBeSameProgram(std::wstring_view image, const std::vector<std::wstring_view>& wantedNames) {
  const std::wstring_view name = fileNameOf(image);
  if (name.find(L'~') != std::wstring_view::npos) return true;
  return std::any_of(wantedNames.begin(), wantedNames.end(),
                     [&](std::wstring_view wanted) { return sameFileName(name, wanted); });
}

}  // namespace

std::optional<std::wstring> firstRunningProgram(const std::vector<std::wstring>& programs) {
  struct Wanted {
    const std::wstring* program;
    std::wstring path;
  };
  std::vector<Wanted> wanted;
  for (const auto& program : programs) {
    if (!program.empty()) wanted.push_back({&program, canonicalPath(program)});
  }
  if (wanted.empty()) return std::nullopt;
  std::vector<std::wstring_view> wantedNames;
  for (const auto& program : wanted) wantedNames.push_back(fileNameOf(program.path));

  // Without a process list nothing can be said; the install's own checks still catch
  // files the game holds.
  UniqueKernelObject snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<std::wstring> running;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    // The snapshot names each process's program file: only those that may be the game
    // are opened, and their paths (which cost directory scans) resolved.
    if (!mayBeSameProgram(entry.szExeFile, wantedNames)) continue;
    if (auto image = processImagePath(entry.th32ProcessID)) running.push_back(canonicalPath(*image));
  }
  for (const auto& program : wanted) {
    const bool runs = std::any_of(running.begin(), running.end(),
                                  [&](const std::wstring& image) { return sameFileName(image, program.path); });
    if (runs) return *program.program;
  }
  return std::nullopt;
}

}  // namespace tarnwick
