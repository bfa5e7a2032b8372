#include <windows.h>

#include "linkmaker/directory_part.h"

std::string DirectoryPart(const std::string& path) {
  if (!::GetSystemMetrics(SM_DBCSENABLED)) return DirectoryPart(path, nullptr);
  CPINFO info{};
  if (!::GetCPInfo(CP_ACP, &info)) return DirectoryPart(path, nullptr);
  const LeadByteTable leadBytes = LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES);
  return DirectoryPart(path, &leadBytes);
}
