#include "packs/unpacking.h"

#include <utility>
#include <vector>

namespace tarnwick {

using Reason = ImportRefusal::Reason;

std::optional<ImportRefusal> Unpacking::add(std::wstring_view name, bool folder) {
  auto path = entryPathOf(name);
  if (const auto* fault = std::get_if<Reason>(&path)) return ImportRefusal{*fault, std::wstring(name)};
  const auto added = tree_.add(std::get<EntryPath>(path), folder, room_.maxEntries);
  if (added.fault) return ImportRefusal{*added.fault, std::wstring(name)};
  if (added.newParts == 0) return std::nullopt;  // a folder named again
  // The folders new to the tree are made first, the outermost first, then the entry.
  const std::wstring place = tree_.pathOf(added.node);
  std::vector<size_t> ends = {place.size()};  // where the path of each new part ends
  while (ends.size() < added.newParts) ends.push_back(place.rfind(L'\\', ends.back() - 1));
  for (auto end = ends.rbegin(); end != ends.rend(); ++end) {
    if (*end == place.size() && !folder) return target_.beginFile(place);
    if (auto refusal = target_.makeFolder(place.substr(0, *end))) return refusal;
  }
  return std::nullopt;
}

std::optional<ImportRefusal> Unpacking::folder(std::wstring_view name) { return add(name, true); }

std::optional<ImportRefusal> Unpacking::roomFor(uint64_t more) const {
  if (bytes_ + more > room_.maxBytes) return ImportRefusal{Reason::TooLarge, file_};
  if (bytes_ + more > room_.driveRoom) return ImportRefusal{Reason::DiskFull, file_};
  return std::nullopt;
}

std::optional<ImportRefusal> Unpacking::beginFile(std::wstring_view name, uint64_t claimed) {
  file_ = name;
  if (auto refusal = roomFor(claimed)) return refusal;
  return add(name, false);
}

std::optional<ImportRefusal> Unpacking::write(const void* bytes, size_t size) {
  if (auto refusal = roomFor(size)) return refusal;
  bytes_ += size;
  return target_.write(bytes, size);
}

std::optional<ImportRefusal> Unpacking::endFile() {
  if (auto refusal = target_.endFile()) return refusal;
  ++done_;
  if (progress_) progress_(done_, all_);
  return std::nullopt;
}

}  // namespace tarnwick
