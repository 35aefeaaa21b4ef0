#include "support/fixtures.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <stdexcept>

#include "platform/folder_walk.h"

namespace tarnwick::test {

void writeBytes(const std::wstring& path, std::string_view bytes) {
  const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write a test file");
  }
}

std::map<std::wstring, std::string> filesIn(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  forEachFolderEntry(folder + L"\\*", [&](const WIN32_FIND_DATAW& found) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    files[found.cFileName] = readBytes(folder + L"\\" + found.cFileName).value_or("<unreadable>");
  });
  return files;
}

std::set<std::wstring> treeOf(const std::wstring& folder, const std::wstring& below) {
  std::set<std::wstring> tree;
  forEachFolderEntry(folder + L"\\" + below + L"*", [&](const WIN32_FIND_DATAW& found) {
    const std::wstring path = below + found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return void(tree.insert(path));
    tree.insert(path + L"\\");
    tree.merge(treeOf(folder, path + L"\\"));
  });
  return tree;
}

void makeFolder(const std::wstring& path) {
  const int made = ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) {
    throw std::runtime_error("cannot create a test folder");
  }
}

void addAttributes(const std::wstring& path, DWORD attributes) {
  const DWORD current = ::GetFileAttributesW(path.c_str());
  if (current == INVALID_FILE_ATTRIBUTES || !::SetFileAttributesW(path.c_str(), current | attributes)) {
    throw std::runtime_error("cannot set test file attributes");
  }
}

// Converted here rather than by the program's own conversion, which the tests check.
std::string ansi(std::wstring_view text) {
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
  return bytes;
}

void runUnixShell(const std::wstring& folder, const std::wstring& command) {
  // Wine gives no handle to wait on for a Unix program: the command leaves a mark when done.
  std::wstring line = L"sh -c \"" + command + L" && : > .unix-shell-done\"";
  STARTUPINFOW startup{.cb = sizeof startup};
  PROCESS_INFORMATION process{};
  ::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process);
  const UniqueKernelObject thread(process.hThread), shell(process.hProcess);
  const std::wstring done = folder + L"\\.unix-shell-done";
  for (int waited = 0; waited < 100 && !exists(done); ++waited) ::Sleep(50);
  if (!::DeleteFileW(done.c_str())) throw std::runtime_error("the shell command did not run");
}

HeldOpen::HeldOpen(const std::wstring& path)
    : UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
  if (!valid()) throw std::runtime_error("cannot hold a test file open");
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH + 1]{}, unique[MAX_PATH + 1]{};
  ::GetTempPathW(MAX_PATH, base);
  ::GetTempFileNameW(base, L"tw", 0, unique);  // a new empty file of a name nothing else has
  path_ = unique;
  if (!::DeleteFileW(unique) || !::CreateDirectoryW(unique, nullptr)) {
    throw std::runtime_error("cannot create a temporary folder");
  }
}

TempFolder::~TempFolder() { removeTree(path_); }

// The shell's deletion, which takes read-only, hidden and system entries too, rather than
// the program's folder walk, which the tests check: a walk that handed out ".." would
// turn this into a deletion of everything.
void removeTree(const std::wstring& path) {
  const std::wstring paths = path + L'\0';  // a list of one, ended by a second NUL
  SHFILEOPSTRUCTW deletion{nullptr, FO_DELETE, paths.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT,
                           FALSE, nullptr, nullptr};
  ::SHFileOperationW(&deletion);
}

void GameRegistry::setBytes(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY created = nullptr;
  ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &created,
                    nullptr);
  const UniqueRegKey opened(created);
  if (!opened || ::RegSetValueExW(created, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write a test registry value");
  }
}

void GameRegistry::removeAll() {
  HKEY software = nullptr;
  ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software);
  const UniqueRegKey opened(software);
  ::RegDeleteTreeW(software, L"Westwood");
}

void GameRegistry::setText(const wchar_t* key, const wchar_t* name, const std::wstring& text, DWORD type) {
  setBytes(key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void GameRegistry::installGame(const std::wstring& gamePath, const std::wstring& expansionPath) {
  const DWORD gameVersion = 0x00010006, expansionVersion = 0x00010001;
  setText(kGameKey, L"Name", L"Red Alert 2");
  setBytes(kGameKey, L"Version", REG_DWORD, &gameVersion, sizeof gameVersion);
  setText(kGameKey, L"InstallPath", gamePath);
  setText(kExpansionKey, L"Name", L"Yuri's Revenge");
  setBytes(kExpansionKey, L"Version", REG_DWORD, &expansionVersion, sizeof expansionVersion);
  setText(kExpansionKey, L"InstallPath", expansionPath);
}

void pumpMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A test's windows closing must not end the test run's own loop.
    if (message.message == WM_QUIT) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

std::vector<std::wstring> comboItems(HWND combo) {
  std::vector<std::wstring> items(static_cast<size_t>(ComboBox_GetCount(combo)));
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].resize(static_cast<size_t>(ComboBox_GetLBTextLen(combo, i)) + 1);
    items[i].resize(static_cast<size_t>(ComboBox_GetLBText(combo, i, items[i].data())));
  }
  return items;
}

void clickColumnHeader(HWND list, int column) {
  HWND header = ListView_GetHeader(list);
  RECT rect{};
  Header_GetItemRect(header, column, &rect);
  const LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  ::SendMessageW(header, WM_LBUTTONUP, 0, middle);
}

}  // namespace tarnwick::test
