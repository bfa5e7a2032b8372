// The platform calls of the walk and nothing else: the floor _Dirwipe is measured against.
//   baseline.exe DIRECTORY
#include <windows.h>

#include <cstring>

namespace {

bool Wipe(const char* directory) {
  const DWORD self = ::GetFileAttributesA(directory);
  if (self == INVALID_FILE_ATTRIBUTES || !(self & FILE_ATTRIBUTE_DIRECTORY)) return false;
  char path[MAX_PATH + 16];
  const std::size_t length = std::strlen(directory);
  std::memcpy(path, directory, length);
  path[length] = '\\';
  char* name = path + length + 1;
  std::strcpy(name, "*.*");
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA(path, &entry);
  DWORD code = search != INVALID_HANDLE_VALUE ? ERROR_SUCCESS : ::GetLastError();
  bool result = true;
  while (code == ERROR_SUCCESS) {
    if (entry.cFileName[0] != '.') {
      std::strcpy(name, entry.cFileName);
      const DWORD attributes = entry.dwFileAttributes;
      bool done = true;
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        done = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? ::RemoveDirectoryA(path) != 0
                                                           : Wipe(path);
      } else if (!(attributes & 0x08)) {
        if (attributes & FILE_ATTRIBUTE_READONLY) {
          ::SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE);
        }
        done = ::DeleteFileA(path) != 0;
      }
      result = result && done;
    }
    code = ::FindNextFileA(search, &entry) ? ERROR_SUCCESS : ::GetLastError();
  }
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
  if (result && code == ERROR_NO_MORE_FILES) result = ::RemoveDirectoryA(directory) != 0;
  return result;
}

}  // namespace

int main(int argc, char** argv) { return argc == 2 && Wipe(argv[1]) ? 0 : 1; }
