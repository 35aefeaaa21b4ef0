#include "platform/control_contents.h"

namespace tarnwick {

std::wstring controlText(HWND control) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::vector<std::wstring> listBoxItems(HWND listBox) {
  const LRESULT count = ::SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  std::vector<std::wstring> items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) continue;
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        ::SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    items.push_back(std::move(item));
  }
  return items;
}

void appendListBoxItems(HWND listBox, const std::vector<std::wstring>& items) {
  if (items.empty()) return;
  // A shown list box redraws and sets its scroll bar after every item otherwise, which
  // makes adding many items cost the square of their count.
  ::SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(listBox, LB_INITSTORAGE, items.size(), items.size() * 16 * sizeof(wchar_t));
  for (const auto& item : items) ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  ::SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(listBox, nullptr, TRUE);
}

void setListBoxItems(HWND listBox, const std::vector<std::wstring>& items) {
  ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  appendListBoxItems(listBox, items);
}

void appendComboBoxItems(HWND comboBox, const std::vector<std::wstring>& items) {
  // A combo box hands every item on to its drop-down list box; given to that list box
  // directly, thousands of items go in in half the time.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(comboBox, &info) && info.hwndList != nullptr) {
    appendListBoxItems(info.hwndList, items);
    return;
  }
  ::SendMessageW(comboBox, CB_INITSTORAGE, items.size(), items.size() * 32 * sizeof(wchar_t));
  for (const auto& item : items) ::SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int comboSelection(HWND comboBox) { return static_cast<int>(::SendMessageW(comboBox, CB_GETCURSEL, 0, 0)); }

}  // namespace tarnwick
