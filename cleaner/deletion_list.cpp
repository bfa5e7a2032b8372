#include "cleaner/deletion_list.h"

#include <windows.h>

#include <string>

#include "cleaner/list_lines.h"
#include "cleaner/tree_delete.h"
#include "runtime/errors.h"
#include "runtime/unique_handle.h"

namespace {

const char kDeletionList[] = "_Del.inf";

// Size of an open file; a list that does not fit a signed 32-bit count cannot be held.
DWORD FileSize(HANDLE file) {
  LONG high = 0;
  const DWORD low = ::SetFilePointer(file, 0, &high, FILE_END);
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) return 0;
  if (high != 0 || low > 0x7FFFFFFF) Raise(EOutOfMemory());
  return low;
}

// The list's whole text. Nobody else may open it meanwhile; it is closed before any deletion.
std::string ReadDeletionList() {
  UniqueFileHandle file(::CreateFileA(kDeletionList, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Raise(EFOpenError(kDeletionList));
  std::string text(FileSize(file.get()), '\0');
  DWORD delivered = 0;
  if (!text.empty() &&
      !::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &delivered, nullptr)) {
    delivered = 0;
  }
  text.resize(delivered);
  return text;
}

}  // namespace

bool DeletionListExists() {
  WIN32_FIND_DATAA entry;
  if (!UniqueFindHandle(::FindFirstFileA(kDeletionList, &entry))) return false;
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME localTime;
  WORD dosDate = 0;
  WORD dosTime = 0;
  ::FileTimeToLocalFileTime(&entry.ftLastWriteTime, &localTime);
  return ::FileTimeToDosDateTime(&localTime, &dosDate, &dosTime) != 0;
}

void ProcessDeletionList() {
  const std::vector<std::string> entries = SplitListLines(ReadDeletionList());
  for (const std::string& entry : entries) DeleteTree(entry, true);
}
