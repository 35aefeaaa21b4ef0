#pragma once
#include <windows.h>

#include <cstddef>

namespace tarnwick::bench {

// The process's memory, in bytes.
struct ProcessMemory {
  std::size_t privateBytes = 0;      // committed memory of the process alone
  std::size_t peakPrivateBytes = 0;  // the most it has had committed so far (Wine: the current figure)
  // Under Wine these two are the Linux process's own VmRSS and VmHWM.
  std::size_t workingSet = 0;        // what it has in physical memory now
  std::size_t peakWorkingSet = 0;    // the most it has had in physical memory so far
};

// Of this process, or of another one opened with query and read access.
ProcessMemory processMemory(HANDLE process = ::GetCurrentProcess());


}  // namespace tarnwick::bench
