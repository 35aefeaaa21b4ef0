#include "bench/process_memory.h"

#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace tarnwick::bench {

ProcessMemory processMemory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
    return {};
  }
  // Windows reports the private commit in both fields; Wine fills only the page-file
  // one (from the process's anonymous memory), so that one is read when the other is 0.
  const size_t privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
  return {privateBytes, counters.PeakPagefileUsage, counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

LinuxMemory linuxMemory() {
  HANDLE file = ::CreateFileW(L"Z:\\proc\\self\\status", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  ::CloseHandle(file);
  auto kilobytes = [&text](const char* field) -> std::size_t {
    const auto at = text.find(field);
    return at == std::string::npos ? 0 : std::strtoull(text.c_str() + at + std::strlen(field), nullptr, 10) * 1024;
  };
  return {kilobytes("VmRSS:"), kilobytes("VmHWM:")};
}

}  // namespace tarnwick::bench
