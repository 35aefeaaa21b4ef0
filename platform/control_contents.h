#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tarnwick {

// What the standard controls hold, read and written as plain strings.
std::wstring controlText(HWND control);

std::vector<std::wstring> listBoxItems(HWND listBox);
void appendListBoxItems(HWND listBox, const std::vector<std::wstring>& items);
void setListBoxItems(HWND listBox, const std::vector<std::wstring>& items);

// Adds the items at the end of the combo box's list, without redrawing it for each.
void appendComboBoxItems(HWND comboBox, const std::vector<std::wstring>& items);
// The combo box's selected index; -1 when nothing is chosen.
int comboSelection(HWND comboBox);

}  // namespace tarnwick
