#include "platform/message_box.h"

#include <algorithm>
#include <vector>

#include "platform/dpi.h"
#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

constexpr size_t kLongestLine = 300;  // a full path and the words around it

// The text's lines, each cut to about kLongestLine characters.
std::vector<std::wstring> linesOf(std::wstring_view text) {
  std::vector<std::wstring> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring line(text.substr(start, end - start));
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    // A name's start and the words after it tell the most.
    if (line.size() > kLongestLine) {
      line = line.substr(0, kLongestLine * 2 / 3) + L"…" + line.substr(line.size() - kLongestLine / 3);
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The line broken into pieces no wider than `width`, at a space where there is one: a
// message box breaks lines only at spaces, and a long name or path has none.
void appendWrapped(HDC dc, std::wstring_view line, int width, std::vector<std::wstring>& wrapped) {
  while (true) {
    int fitting = 0;
    SIZE extent{};
    ::GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), width, &fitting, nullptr, &extent);
    if (static_cast<size_t>(fitting) >= line.size()) break;
    size_t end = static_cast<size_t>(std::max(fitting, 1));
    const size_t space = line.rfind(L' ', end);
    if (space != std::wstring_view::npos && space > end / 2) end = space + 1;
    wrapped.emplace_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  wrapped.emplace_back(line);
}

// The first `count` lines, and the note that there is more when that is not all.
std::wstring firstLines(const std::vector<std::wstring>& lines, size_t count, std::wstring_view cutNote) {
  std::wstring text;
  for (size_t i = 0; i < count; ++i) text += (i == 0 ? L"" : L"\r\n") + lines[i];
  if (count < lines.size()) text += (count == 0 ? L"" : L"\r\n") + std::wstring(cutNote);
  return text;
}

}  // namespace

std::wstring fittedToScreen(HWND owner, std::wstring_view text, std::wstring_view cutNote) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const UINT dpi = dpiForWindow(owner);
  // Lines are broken to a third of the screen's width, so the box can't grow wider. How
  // narrow a column a box then breaks them into once more differs between systems, so
  // the height is measured in a column narrower than any box's: the text can only come
  // out shorter than measured. It may fill the screen's height but for what the box's
  // caption, button and margins take.
  const int width = (monitor.rcWork.right - monitor.rcWork.left) / 3;
  const int narrowest = ::MulDiv(200, static_cast<int>(dpi), 96);
  const int height = (monitor.rcWork.bottom - monitor.rcWork.top) - ::MulDiv(200, static_cast<int>(dpi), 96);

  LOGFONTW font = messageFontForDpi(dpi);
  UniqueFont messageFont(::CreateFontIndirectW(&font));
  WindowDc dc(nullptr);
  SelectedObject selected(dc.get(), messageFont.get());
  std::vector<std::wstring> lines;
  for (const auto& line : linesOf(text)) appendWrapped(dc.get(), line, width, lines);

  auto fits = [&](size_t count) {
    const std::wstring shown = firstLines(lines, count, cutNote);
    RECT bounds{0, 0, narrowest, 0};
    ::DrawTextW(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &bounds,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return bounds.bottom <= height;
  };
  // The most lines that fit, found by halving: a message may have thousands.
  if (fits(lines.size())) return firstLines(lines, lines.size(), cutNote);
  size_t low = 0, high = lines.size();
  while (high - low > 1) {
    const size_t middle = low + (high - low) / 2;
    (fits(middle) ? low : high) = middle;
  }
  return firstLines(lines, low, cutNote);
}

}  // namespace tarnwick
