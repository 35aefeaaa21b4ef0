#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// Handles every message waiting for this thread's windows.
void pumpMessages();

// A window's text and a combo box's items, asked with messages, so they are read
// alike from this process's windows and from another's.
std::wstring windowText(HWND window);
std::vector<std::wstring> comboItems(HWND combo);

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
