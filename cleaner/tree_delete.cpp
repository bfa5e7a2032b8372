#include "cleaner/tree_delete.h"

#include <windows.h>

#include "runtime/unique_handle.h"

namespace {

constexpr DWORD kVolumeLabel = 0x08;

bool IsDriveDesignator(const std::string& directory) {
  return directory.size() == 2 && directory[1] == ':';
}

// A directory symbolic link or junction: removed as a link, never walked, so nothing outside
// the tree is deleted through it.
bool RemoveDirectoryLink(const std::string& path, bool removeDirectories) {
  return !removeDirectories || ::RemoveDirectoryA(path.c_str()) != 0;
}

bool DeleteFileEntry(const std::string& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    // Archive alone also clears hidden and system; a failure shows in the deletion.
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  }
  return ::DeleteFileA(path.c_str()) != 0;
}

// Handles one entry of a listing; returns false when what it attempted failed.
bool DeleteEntry(const std::string& prefix, const WIN32_FIND_DATAA& entry, bool removeDirectories) {
  // Dot names cover "." and ".." and every dot-named file or directory, all left alone.
  if (entry.cFileName[0] == '.') return true;
  const std::string path = prefix + entry.cFileName;
  const DWORD attributes = entry.dwFileAttributes;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      return RemoveDirectoryLink(path, removeDirectories);
    }
    return DeleteTree(path, removeDirectories);
  }
  if (attributes & kVolumeLabel) return true;
  return DeleteFileEntry(path, attributes);
}

}  // namespace

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteTree(const std::string& directory, bool removeDirectories) {
  bool result = IsDirectory(directory);
  if (!result) return false;

  const std::string prefix = WalkPrefix(directory);
  WIN32_FIND_DATAA entry;
  UniqueFindHandle search(::FindFirstFileA((prefix + "*.*").c_str(), &entry));
  DWORD code = search ? ERROR_SUCCESS : ::GetLastError();
  while (code == ERROR_SUCCESS) {
    const bool entryDone = DeleteEntry(prefix, entry, removeDirectories);
    result = result && entryDone;
    code = ::FindNextFileA(search.get(), &entry) ? ERROR_SUCCESS : ::GetLastError();
  }
  // Windows keeps a directory with an open search only delete-pending; close it first.
  search.reset();

  if (removeDirectories && result && code == ERROR_NO_MORE_FILES && !IsDriveDesignator(directory)) {
    result = ::RemoveDirectoryA(directory.c_str()) != 0;
  }
  return result;
}
