// Tree deletion: empties a directory tree, deleting files and removing emptied directories.
#pragma once

#include <string>

// `path` with a separator at its end: unchanged when empty or ending in ":" or "\", a lone
// drive letter becomes that drive's root ("c" gives "c:\"), anything else gets "\".
std::string WithTrailingSeparator(const std::string& path);

// The prefix that entry paths and the search pattern of `directory` start with. Unlike
// WithTrailingSeparator, a one-letter name stays a directory in the working directory.
std::string WalkPrefix(const std::string& directory);

// True when `path`, exactly as given, names an existing directory.
bool IsDirectory(const std::string& path);

// Deletes every file below `directory`; with `removeDirectories` also removes every directory
// it emptied, `directory` itself last. Links to directories are never followed. Returns false
// when `directory` is no directory or when any deletion or removal that it attempted failed.
bool DeleteTree(const std::string& directory, bool removeDirectories);
