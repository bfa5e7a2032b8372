#include "tests/support/link_reader.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "runtime/com.h"

namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), wide.size()) - 1);
  return wide;
}

}  // namespace

LinkFields ReadShellLink(const std::string& linkFile) {
  const ComApartment apartment;
  LinkFields fields;
  const ComPtr<IUnknown> object = CreateComObject(CLSID_ShellLink);
  const ComPtr<IShellLinkA> link = QueryComInterface<IShellLinkA>(object, IID_IShellLinkA);
  const ComPtr<IPersistFile> file = QueryComInterface<IPersistFile>(object, IID_IPersistFile);
  if (file->Load(Wide(linkFile).c_str(), STGM_READ) != S_OK) return fields;
  fields.loaded = true;
  char text[1024] = "";
  link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
  fields.path = text;
  text[0] = '\0';
  link->GetWorkingDirectory(text, sizeof text);
  fields.workingDirectory = text;
  text[0] = '\0';
  link->GetIconLocation(text, sizeof text, &fields.iconIndex);
  fields.iconFile = text;
  return fields;
}
