#include "tests/support/tree_model.h"

namespace {

constexpr std::uint32_t kKeptBits = kReadOnlyBit | kHiddenBit | kSystemBit;

class WipeModel {
 public:
  WipeModel(const std::string& root, const std::vector<TreeEntry>& entries,
            const PlatformRules& rules)
      : root_(root), rules_(rules) {
    for (const TreeEntry& entry : entries) {
      byPath_[entry.path] = &entry;
      children_[ParentPath(entry.path)].push_back(&entry);
    }
  }

  std::map<std::string, ExpectedEntry> Run() {
    if (!Walk("")) expected_[""] = ExpectedEntry{EntryKind::kDirectory, 0, ""};
    return expected_;
  }

 private:
  std::string FullPath(const std::string& path) const {
    return path.empty() ? root_ : root_ + "\\" + path;
  }
  bool Reachable(const std::string& fullPath) const {
    return fullPath.size() <= rules_.longestPath;
  }

  // Everything below `path` stays as it was.
  void KeepAsIs(const std::string& path) {
    for (const TreeEntry* child : children_[path]) {
      expected_[child->path] =
          ExpectedEntry{child->kind, child->attributes & kKeptBits, child->contents};
      if (child->kind == EntryKind::kDirectory) KeepAsIs(child->path);
    }
  }

  void Keep(const TreeEntry& entry, std::uint32_t attributes) {
    expected_[entry.path] = ExpectedEntry{entry.kind, attributes & kKeptBits, entry.contents};
  }

  // Returns true when the entry is gone afterwards.
  bool Visit(const TreeEntry& entry) {
    const bool reachable = Reachable(FullPath(entry.path));
    if (LeafName(entry.path)[0] == '.') {
      Keep(entry, entry.attributes);
      if (entry.kind == EntryKind::kDirectory) KeepAsIs(entry.path);
      return false;
    }
    if (entry.kind == EntryKind::kDirectory) {
      const bool gone = Walk(entry.path);
      if (!gone) Keep(entry, entry.attributes);
      return gone;
    }
    if (entry.kind == EntryKind::kLink) {
      const bool gone = reachable && rules_.linksRemovable;
      if (!gone) Keep(entry, entry.attributes);
      return gone;
    }
    if (!reachable) {
      Keep(entry, entry.attributes);
      return false;
    }
    if (entry.heldOpen) {
      // Read-only is taken off before the deletion is tried, and hidden and system with it.
      Keep(entry, (entry.attributes & kReadOnlyBit) ? 0 : entry.attributes);
      return false;
    }
    return true;
  }

  // Walks the directory `path`; returns true when it is gone afterwards.
  bool Walk(const std::string& path) {
    const std::string full = FullPath(path);
    if (!Reachable(full) || !Reachable(full + "\\*.*")) {
      KeepAsIs(path);
      return false;
    }
    bool allGone = true;
    for (const TreeEntry* child : children_[path]) allGone = Visit(*child) && allGone;
    const auto self = byPath_.find(path);
    const bool refusesRemoval = self != byPath_.end() && rules_.readOnlyDirectoriesStay &&
                                (self->second->attributes & kReadOnlyBit);
    return allGone && !refusesRemoval;
  }

  std::string root_;
  PlatformRules rules_;
  std::map<std::string, const TreeEntry*> byPath_;
  std::map<std::string, std::vector<const TreeEntry*>> children_;
  std::map<std::string, ExpectedEntry> expected_;
};

}  // namespace

std::map<std::string, ExpectedEntry> ExpectedAfterWipe(const std::string& root,
                                                       const std::vector<TreeEntry>& entries,
                                                       const PlatformRules& rules) {
  return WipeModel(root, entries, rules).Run();
}

bool operator==(const ExpectedEntry& a, const ExpectedEntry& b) {
  return a.kind == b.kind && a.attributes == b.attributes && a.contents == b.contents;
}

std::string ParentPath(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LeafName(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
