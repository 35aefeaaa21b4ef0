#pragma once
// The fixtures without the test framework or the program's windows, built on the
// program's own wrappers: files, folders, registry entries and window contents.
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_contents.h"
#include "platform/file_bytes.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace tarnwick::test {

// Writes bytes to a file (creating or replacing it); throws when it can't.
void writeBytes(const std::wstring& path, std::string_view bytes);
// The file's bytes, or nothing when it can't be read.
inline std::optional<std::string> readBytes(const std::wstring& path) {
  std::string bytes;
  if (!readFileInto(path, 1u << 30, bytes)) return std::nullopt;
  return bytes;
}
// The files (not folders) directly in a folder, hidden ones too, with their bytes.
std::map<std::wstring, std::string> filesIn(const std::wstring& folder);
// Every entry below a folder, hidden ones too: "a\b" for a file, "a\" for a folder.
std::set<std::wstring> treeOf(const std::wstring& folder, const std::wstring& below = L"");
// Makes the folder and those it is in, where they aren't yet.
void makeFolder(const std::wstring& path);
void addAttributes(const std::wstring& path, DWORD attributes);
inline bool exists(const std::wstring& path) { return pathExists(path); }
// Text in the ANSI code page (936 in the tests), for expected record bytes.
std::string ansi(std::wstring_view text);

// Runs a command of the system's shell in `folder` and waits for its end: file-system
// shapes that Wine's own calls can't make (a link to nowhere, names alike but for case),
// as another tool or an unpacked archive leaves them. Wine starts Unix programs itself.
void runUnixShell(const std::wstring& folder, const std::wstring& command);

// Holds a file open without sharing, as a running program would: other opens
// fail with ERROR_SHARING_VIOLATION until it goes.
struct HeldOpen : UniqueFile {
  explicit HeldOpen(const std::wstring& path);
};

// A fresh folder under the system's temporary folder, removed with everything
// in it (read-only, hidden and system entries too) when the test is done.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& path() const { return path_; }
  // The folder's path + "\" + relative
  std::wstring operator/(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

 private:
  std::wstring path_;
};

void removeTree(const std::wstring& path);

// The game's registry entries in the registry's 32-bit view of the test prefix,
// as an installer leaves them. Every instance starts from no entries at all and
// removes what it wrote when it goes.
class GameRegistry {
 public:
  static constexpr const wchar_t* kGameKey = L"SOFTWARE\\Westwood\\Red Alert 2";
  static constexpr const wchar_t* kExpansionKey = L"SOFTWARE\\Westwood\\Yuri's Revenge";

  GameRegistry() { removeAll(); }
  ~GameRegistry() { removeAll(); }
  GameRegistry(const GameRegistry&) = delete;
  GameRegistry& operator=(const GameRegistry&) = delete;

  void setBytes(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size);
  void setText(const wchar_t* key, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);

  // Both keys as a real install leaves them, with the expansion at `expansionPath`.
  void installGame(const std::wstring& gamePath, const std::wstring& expansionPath);

  static void removeAll();
};

// Handles every message waiting for this thread's windows.
void pumpMessages();

// A window's text (of another process's window, the text it was given, as a static
// control or a message box holds it) and a combo box's items.
inline std::wstring windowText(HWND window) { return controlText(window); }
std::vector<std::wstring> comboItems(HWND combo);

// A click on a list view's column header, as the mouse makes it.
void clickColumnHeader(HWND list, int column);

// Collects what the program would have shown in message boxes, and answers its
// questions with the answers queued, in order (No once they run out).
struct MessageLog {
  std::vector<std::wstring> messages;
  std::vector<std::wstring> questions;
  std::vector<bool> answers;
  auto informer() {
    return [this](HWND, std::wstring_view text) { messages.emplace_back(text); };
  }
  auto asker() {
    return [this](HWND, std::wstring_view question) {
      questions.emplace_back(question);
      return questions.size() <= answers.size() && answers[questions.size() - 1];
    };
  }
};

}  // namespace tarnwick::test
