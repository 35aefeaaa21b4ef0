#include "app/form1.h"

// A second program started with archives or folders (Explorer's "open with", a drop on
// the program's icon; one program per file when several are opened at once) hands them
// to the program that manages the game folder, which imports them as if they had been
// dropped on it. Only the program holding the game folder's lock takes them: any other
// (another second program, about to end) says no at once, so none are lost.

#include "app/handover_payload.h"
#include "app/texts.h"
#include "platform/file_system.h"
#include "platform/program_messages.h"

namespace tarnwick {
namespace {

// Long enough for a first program busy between two files of a large import.
constexpr UINT kHandOverTimeoutMs = 30000;

}  // namespace

bool Form1::handOverStartPaths() {
  if (startPaths_.empty()) return false;
  HWND taker = nullptr;
  std::vector<std::wstring> notTaken;
  for (const HandOver& part : handOverParts({gameDir_, startPaths_})) {
    const std::string data = encodeHandOver(part);
    const auto takes = [&](HWND window) {
      return sendCopyData(window, hwnd_, kHandOverMark, data, kHandOverTimeoutMs);
    };
    if (taker == nullptr) {
      for (HWND window : topLevelWindowsOfClass(kForm1WindowClass, hwnd_)) {
        if (takes(window)) {
          taker = window;
          break;
        }
      }
      if (taker != nullptr) continue;
    } else if (takes(taker)) {
      continue;
    }
    notTaken.insert(notTaken.end(), part.paths.begin(), part.paths.end());
  }
  if (!notTaken.empty()) inform(texts::pathsNotHandedOver(gameDir_, texts::listedLines(notTaken)));
  if (taker != nullptr) {
    if (::IsIconic(taker)) ::ShowWindowAsync(taker, SW_RESTORE);
    ::SetForegroundWindow(taker);
  }
  return true;
}

bool Form1::takeHandOver(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandOverMark || !gameFolderLock_ || managedElsewhere_) return false;
  auto handOver = decodeHandOver({static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0});
  if (!handOver || !samePath(handOver->gameDir, gameDir_)) return false;
  queueImports(std::move(handOver->paths));
  return true;
}

}  // namespace tarnwick
