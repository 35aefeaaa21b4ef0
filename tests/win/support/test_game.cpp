#include "support/test_game.h"

#include <windowsx.h>
#include <shlobj.h>

#include <stdexcept>

namespace tarnwick::test {

TestGame::TestGame() {
  makeFolder(dir_);
  makeFolder(packs());
  writeBytes(*this / L"gamemd.exe", "MZ expansion");
  writeBytes(*this / L"Ra2.exe", "MZ game");
  writeBytes(*this / L"ra2md.csf", kGameTable);
  writeBytes(*this / L"rulesmd.ini", kGameRules);
  writeBytes(packs() + L"\\ra2md.csf", kGameTable);
  registry_.installGame(*this / L"Ra2.exe", *this / L"gamemd.exe");
}

std::wstring TestGame::addPack(const std::wstring& name,
                               const std::vector<std::pair<std::wstring, std::string>>& files) {
  const std::wstring folder = packs() + L"\\" + name;
  makeFolder(folder);
  for (const auto& [file, bytes] : files) writeBytes(folder + L"\\" + file, bytes);
  return folder;
}

std::unique_ptr<Form1> TestGame::open() {
  auto form = Form1::create(::GetModuleHandleW(nullptr), log.informer(), log.asker());
  if (!form) throw std::runtime_error("the main window did not open");
  pumpMessages();
  return form;
}

void choosePack(Form1& form, std::wstring_view name) {
  const int index = ComboBox_FindStringExact(form.Combo1(), -1, std::wstring(name).c_str());
  if (index == CB_ERR) throw std::runtime_error("no such pack in the combo");
  ComboBox_SetCurSel(form.Combo1(), index);
  form.Combo1_Click();
}

std::vector<std::wstring> listItems(const Form1& form) { return listBoxItems(form.List1()); }

void dropFiles(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring names;  // NUL after each, and a NUL after the last
  for (const auto& path : paths) names += path + L'\0';
  HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(::GlobalLock(drop));
  *files = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE};
  std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(files + 1));
  ::GlobalUnlock(drop);
  ::SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the window frees it
}

void closeWindow(Form1& form) {
  ::SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  pumpMessages();
}

std::wstring standInGameExe() { return TARNWICK_STAND_IN_EXE; }

std::string waitForLaunchLog(const std::wstring& folder) {
  for (int waited = 0; waited < 100; ++waited) {
    if (auto text = readBytes(folder + L"\\launch.log"); text && !text->empty() && text->back() == '\n') return *text;
    ::Sleep(100);
  }
  return {};
}

}  // namespace tarnwick::test
