#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "packs/entry_name.h"
#include "packs/import_types.h"

namespace tarnwick {

// The longest paths Windows programs can use without the long-path form: a file's
// (MAX_PATH less its NUL) and a folder's (room left for an 8.3 name).
inline constexpr size_t kLongestFilePath = 259;
inline constexpr size_t kLongestFolderPath = 247;

// A pack an import makes: a folder of the source, and its name.
struct PlannedPack {
  size_t folder;  // a folder of the EntryTree; EntryTree::kTop for the whole source
  std::wstring name;
  bool hasMaps = false;  // a map file (*.map, *.yrm, *.mpr) lies at its top
};

struct ImportPlan {
  std::vector<PlannedPack> packs;
  bool entriesLeftOut = false;  // a collection: entries outside its packs stay out
};

// The entries of a source as they are unpacked, as a tree of files and folders. Each is
// checked against those before it the way Windows would meet them, so that no two of them
// land on one file and nothing stands both as a file and as a folder. The folders an entry
// lies in count as entries of their own.
class EntryTree {
 public:
  static constexpr size_t kTop = 0;

  EntryTree() { nodes_.push_back({}); }

  // Adds an entry (a file, or a folder when `folder`); the fault when it meets one added
  // before (Duplicate, FileAndFolder), or makes more entries than `maxEntries`
  // (TooManyEntries). A folder may be named again, by itself or by the entries in it.
  // Returns the file's or folder's place in the tree, and how many of the path's last
  // parts are new to it.
  struct Added {
    size_t node = kTop;
    size_t newParts = 0;
    std::optional<ImportRefusal::Reason> fault;
  };
  Added add(const EntryPath& path, bool folder, uint64_t maxEntries);

  [[nodiscard]] size_t files() const { return files_; }

  // Where the entries go: while they all lie in one folder, that folder is the pack's and
  // the last folder so passed names it; otherwise the whole source is the pack and
  // `sourceName` names it. A collection, where that pack would hold no map file at its
  // top but two or more folders that do, makes a pack of each of those instead.
  [[nodiscard]] ImportPlan plan(std::wstring_view sourceName) const;

  // A node's place below `from`, its parts joined with "\" (empty for `from` itself).
  [[nodiscard]] std::wstring pathOf(size_t node, size_t from = kTop) const;
  // The names of the files right in a folder, in the order added.
  [[nodiscard]] std::vector<std::wstring> filesIn(size_t folder) const;
  // The first file or folder below `folder` whose path would be too long once the folder
  // lies at a path `folderLength` characters long; its place in the source.
  [[nodiscard]] std::optional<std::wstring> firstTooLong(size_t folder, size_t folderLength) const;

 private:
  struct Node {
    std::wstring name;  // as first spelt
    bool folder = true;
    size_t parent = kTop;
    std::vector<size_t> children;
  };
  struct Key {
    size_t parent;
    std::wstring folded;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const {
      return std::hash<std::wstring>{}(key.folded) ^ (key.parent * 0x9E3779B9u);
    }
  };

  [[nodiscard]] bool holdsMapAtTop(size_t folder) const;

  std::vector<Node> nodes_;
  std::unordered_map<Key, size_t, KeyHash> byName_;
  size_t files_ = 0;
};

// The name of the n-th pack of one name: "X", "X (2)", "X (3)" ...
std::wstring numberedName(std::wstring_view name, unsigned number);

}  // namespace tarnwick
