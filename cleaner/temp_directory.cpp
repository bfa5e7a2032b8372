#include "cleaner/temp_directory.h"

#include <windows.h>

#include <vector>

#include "cleaner/temp_guard.h"

namespace {

// Reads a path from a call that fills a buffer and returns the length it needs.
template <typename Call>
std::string ReadPath(Call call) {
  std::string path(MAX_PATH, '\0');
  DWORD length = call(path.data(), static_cast<DWORD>(path.size()));
  if (length >= path.size()) {
    path.resize(length);
    length = call(path.data(), static_cast<DWORD>(path.size()));
  }
  path.resize(length < path.size() ? length : 0);
  return path;
}

// Where the platform's temporary path falls back to when TMP and TEMP are unset.
std::vector<std::string> FallbackDirectories() {
  return {
      ReadPath([](char* b, DWORD n) { return ::GetWindowsDirectoryA(b, n); }),
      ReadPath([](char* b, DWORD n) { return ::GetSystemWindowsDirectoryA(b, n); }),
      ReadPath([](char* b, DWORD n) { return ::GetSystemDirectoryA(b, n); }),
      ReadPath([](char* b, DWORD n) { return ::GetEnvironmentVariableA("USERPROFILE", b, n); }),
  };
}

}  // namespace

std::string GetTempDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
  // A longer path does not fit: the buffer then holds no complete path.
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string path(buffer, length);
  if (IsProtectedDirectory(path, FallbackDirectories())) return std::string();
  return path;
}
