// What a tree looks like after _Dirwipe has walked it, worked out from the rules of the walk
// alone: the expected disk, entry by entry, for a tree described as a flat list of entries.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class EntryKind { kFile, kDirectory, kLink };

// Attribute bits as the platform reports them.
constexpr std::uint32_t kReadOnlyBit = 0x01;
constexpr std::uint32_t kHiddenBit = 0x02;
constexpr std::uint32_t kSystemBit = 0x04;
constexpr std::uint32_t kArchiveBit = 0x20;

struct TreeEntry {
  // Relative to the tree's root, parts joined by "\"; the root itself is never listed.
  std::string path;
  EntryKind kind = EntryKind::kFile;
  // As read back from the disk after the tree was made.
  std::uint32_t attributes = 0;
  // Held open without sharing by another process while the walk runs.
  bool heldOpen = false;
  std::string contents;
};

// What the platform allows, measured on it rather than assumed.
struct PlatformRules {
  // Longest full path, in bytes, that the ANSI file functions accept.
  std::size_t longestPath = 259;
  // Whether removing a link to a non-empty directory succeeds (Windows) or not (Wine).
  bool linksRemovable = true;
  // Whether a directory reported read-only refuses its removal.
  bool readOnlyDirectoriesStay = true;
};

// One entry expected on the disk afterwards.
struct ExpectedEntry {
  EntryKind kind = EntryKind::kFile;
  std::uint32_t attributes = 0;  // read-only, hidden and system bits only
  std::string contents;
};

// Same kind, attributes and contents.
bool operator==(const ExpectedEntry& a, const ExpectedEntry& b);

// The entries that DeleteTree(root, true) leaves, keyed by relative path; "" is the root,
// present when the root itself stays. `root` is the full path, without a trailing "\".
std::map<std::string, ExpectedEntry> ExpectedAfterWipe(const std::string& root,
                                                       const std::vector<TreeEntry>& entries,
                                                       const PlatformRules& rules);

// The relative path of the directory holding `path` ("" for a top-level entry).
std::string ParentPath(const std::string& path);
// The last part of `path`.
std::string LeafName(const std::string& path);
