#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What an install or a removal is about to do, written down before it touches the game
// folder, so that the next start can tell from the folder what it had done when it was
// cut short.
enum class JournalOperation { Install, Removal };

struct JournalEntry {
  std::wstring name;
  // Install: the game's own file of this name is kept before the pack's replaces it.
  // Removal: the kept original of this name is put back (otherwise the file is deleted).
  bool kept = false;
};

struct Journal {
  JournalOperation operation = JournalOperation::Install;
  std::wstring packPath;
  std::wstring packName;
  std::vector<JournalEntry> entries;
};

// One line each: a header, the operation, the pack's path and name, one line per entry
// ("+" kept, "-" not, then the name), and a closing "." line.
std::wstring formatJournal(const Journal& journal);

// Nothing unless the text is a whole journal as formatJournal writes it.
std::optional<Journal> parseJournal(std::wstring_view text);

}  // namespace tarnwick
