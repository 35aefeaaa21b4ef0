#pragma once
#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

namespace tarnwick {

// Opens (or creates, hidden) the file at `path` without sharing it and locks it, so no
// other program can hold it as long as the handle is open: not another Windows user,
// and under Wine not a program of another Wine prefix either (those share no sharing
// rules, but do see the lock). On failure the handle is empty and `error` says why;
// ERROR_SHARING_VIOLATION or ERROR_LOCK_VIOLATION mean another program holds it.
UniqueFile holdExclusively(const std::wstring& path, DWORD& error);

// Whether an error of holdExclusively means the file is held by another program.
inline bool isHeldElsewhere(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

}  // namespace tarnwick
