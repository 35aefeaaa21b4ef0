#include "packs/journal_text.h"

namespace tarnwick {
namespace {

constexpr std::wstring_view kHeader = L"Tarnwick journal 1";
constexpr std::wstring_view kInstall = L"install";
constexpr std::wstring_view kRemoval = L"removal";
constexpr std::wstring_view kEnd = L".";

// Splits at "\n"; a text that doesn't end in one has a torn last line, which is dropped.
std::vector<std::wstring_view> wholeLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  for (size_t end; (end = text.find(L'\n')) != std::wstring_view::npos; text.remove_prefix(end + 1)) {
    lines.push_back(text.substr(0, end));
  }
  return lines;
}

}  // namespace

std::wstring formatJournal(const Journal& journal) {
  std::wstring text(kHeader);
  text += L'\n';
  text += journal.operation == JournalOperation::Install ? kInstall : kRemoval;
  text += L'\n' + journal.packPath + L'\n' + journal.packName + L'\n';
  for (const auto& entry : journal.entries) {
    text += entry.kept ? L'+' : L'-';
    text += entry.name + L'\n';
  }
  text += kEnd;
  text += L'\n';
  return text;
}

std::optional<Journal> parseJournal(std::wstring_view text) {
  const auto lines = wholeLines(text);
  if (lines.size() < 5 || lines.front() != kHeader || lines.back() != kEnd) return std::nullopt;
  Journal journal;
  if (lines[1] == kInstall) {
    journal.operation = JournalOperation::Install;
  } else if (lines[1] == kRemoval) {
    journal.operation = JournalOperation::Removal;
  } else {
    return std::nullopt;
  }
  journal.packPath = lines[2];
  journal.packName = lines[3];
  for (size_t i = 4; i + 1 < lines.size(); ++i) {
    const std::wstring_view line = lines[i];
    if (line.empty() || (line[0] != L'+' && line[0] != L'-')) return std::nullopt;
    journal.entries.push_back({std::wstring(line.substr(1)), line[0] == L'+'});
  }
  return journal;
}

}  // namespace tarnwick
