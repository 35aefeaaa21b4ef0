#include "bench/process_memory.h"

#include <windows.h>
#include <psapi.h>

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

}  // namespace tarnwick::bench
