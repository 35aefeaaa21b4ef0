#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "packs/entry_tree.h"
#include "packs/import_types.h"

namespace tarnwick {

// Where an import's files and folders are made, each at its place below the top joined
// with "\", in the order the source gives them (a folder before what lies in it). Every
// step returns nothing, or why the import must stop.
class UnpackTarget {
 public:
  virtual ~UnpackTarget() = default;
  virtual std::optional<ImportRefusal> makeFolder(const std::wstring& path) = 0;
  virtual std::optional<ImportRefusal> beginFile(const std::wstring& path) = 0;
  virtual std::optional<ImportRefusal> write(const void* bytes, size_t size) = 0;
  virtual std::optional<ImportRefusal> endFile() = 0;
};

// How many entries and bytes an import may make: the limits, and the room the drive has
// while keeping its kept free bytes.
struct UnpackRoom {
  uint64_t maxEntries;
  uint64_t maxBytes;
  uint64_t driveRoom;
};

// One import's entries as a source hands them over: each name checked (entryPathOf, then
// against the entries before it), each byte counted as it is written, whatever the
// source claimed, and only then made in the target.
class Unpacking {
 public:
  Unpacking(UnpackTarget& target, UnpackRoom room, ImportProgress progress)
      : target_(target), room_(room), progress_(std::move(progress)) {}

  // The number of files the source says it holds, where it says so.
  void expectFiles(size_t all) { all_ = all; }

  std::optional<ImportRefusal> folder(std::wstring_view name);
  // `claimed`: the size the source says the file has, to refuse a file that can't fit
  // before decoding it; its bytes are counted all the same.
  std::optional<ImportRefusal> beginFile(std::wstring_view name, uint64_t claimed = 0);
  std::optional<ImportRefusal> write(const void* bytes, size_t size);
  std::optional<ImportRefusal> endFile();

  [[nodiscard]] const EntryTree& tree() const { return tree_; }
  [[nodiscard]] const UnpackRoom& room() const { return room_; }

 private:
  std::optional<ImportRefusal> add(std::wstring_view name, bool folder);
  [[nodiscard]] std::optional<ImportRefusal> roomFor(uint64_t more) const;

  UnpackTarget& target_;
  UnpackRoom room_;
  ImportProgress progress_;
  EntryTree tree_;
  std::wstring file_;  // the file being written, as the source names it
  uint64_t bytes_ = 0;
  size_t done_ = 0;
  std::optional<size_t> all_;
};

}  // namespace tarnwick
