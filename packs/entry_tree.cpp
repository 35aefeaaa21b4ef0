#include "packs/entry_tree.h"

#include <utility>

#include "packs/name_pattern.h"

namespace tarnwick {

EntryTree::Added EntryTree::add(const EntryPath& path, bool folder, uint64_t maxEntries) {
  using Reason = ImportRefusal::Reason;
  size_t at = kTop;
  size_t newParts = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const bool wantFolder = folder || i + 1 < path.size();
    Key key{at, foldedName(path[i])};
    if (const auto found = byName_.find(key); found != byName_.end()) {
      const Node& node = nodes_[found->second];
      if (node.folder && wantFolder) {
        at = found->second;
        continue;
      }
      return {found->second, 0, node.folder != wantFolder ? Reason::FileAndFolder : Reason::Duplicate};
    }
    if (nodes_.size() > maxEntries) return {at, 0, Reason::TooManyEntries};
    const size_t added = nodes_.size();
    nodes_.push_back({path[i], wantFolder, at, {}});
    nodes_[at].children.push_back(added);
    byName_.emplace(std::move(key), added);
    if (!wantFolder) ++files_;
    at = added;
    ++newParts;
  }
  return {at, newParts, std::nullopt};
}

bool EntryTree::holdsMapAtTop(size_t folder) const {
  for (const size_t child : nodes_[folder].children) {
    if (!nodes_[child].folder && matchesPattern(nodes_[child].name, kMapFilePatterns)) return true;
  }
  return false;
}

ImportPlan EntryTree::plan(std::wstring_view sourceName) const {
  size_t at = kTop;
  std::wstring name(sourceName);
  while (nodes_[at].children.size() == 1 && nodes_[nodes_[at].children.front()].folder) {
    at = nodes_[at].children.front();
    name = nodes_[at].name;
  }
  ImportPlan plan;
  if (!holdsMapAtTop(at)) {
    for (const size_t child : nodes_[at].children) {
      if (nodes_[child].folder && holdsMapAtTop(child)) plan.packs.push_back({child, nodes_[child].name, true});
    }
    if (plan.packs.size() >= 2) {
      plan.entriesLeftOut = nodes_[at].children.size() > plan.packs.size();
      return plan;
    }
    plan.packs.clear();
  }
  plan.packs.push_back({at, std::move(name), holdsMapAtTop(at)});
  return plan;
}

std::wstring EntryTree::pathOf(size_t node, size_t from) const {
  std::vector<const std::wstring*> parts;
  for (size_t at = node; at != from && at != kTop; at = nodes_[at].parent) parts.push_back(&nodes_[at].name);
  std::wstring path;
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    if (!path.empty()) path += L'\\';
    path += **part;
  }
  return path;
}

std::vector<std::wstring> EntryTree::filesIn(size_t folder) const {
  std::vector<std::wstring> names;
  for (const size_t child : nodes_[folder].children) {
    if (!nodes_[child].folder) names.push_back(nodes_[child].name);
  }
  return names;
}

std::optional<std::wstring> EntryTree::firstTooLong(size_t folder, size_t folderLength) const {
  std::vector<std::pair<size_t, size_t>> pending = {{folder, folderLength}};  // a folder and its path's length
  while (!pending.empty()) {
    const auto [at, length] = pending.back();
    pending.pop_back();
    for (const size_t child : nodes_[at].children) {
      const size_t childLength = length + 1 + nodes_[child].name.size();
      if (childLength > (nodes_[child].folder ? kLongestFolderPath : kLongestFilePath)) return pathOf(child);
      if (nodes_[child].folder) pending.emplace_back(child, childLength);
    }
  }
  return std::nullopt;
}

std::wstring numberedName(std::wstring_view name, unsigned number) {
  std::wstring numbered(name);
  if (number > 1) numbered += L" (" + std::to_wstring(number) + L")";
  return numbered;
}

}  // namespace tarnwick
