#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// Handles every message waiting for this thread's windows.
void pumpMessages();

std::wstring windowText(HWND window);

// Collects what the program would have shown in message boxes.
struct MessageLog {
  std::vector<std::wstring> messages;
  auto informer() {
    return [this](HWND, std::wstring_view text) { messages.emplace_back(text); };
  }
};

}  // namespace tarnwick::test
