#include "linkmaker/shell_link.h"

#include <windows.h>
#include <objidl.h>
#include <shobjidl.h>

#include "linkmaker/directory_part.h"
#include "runtime/com.h"

namespace {

const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidIShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidIPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The whole of `text`, whatever its length, in UTF-16 from the ANSI code page.
std::wstring ToWide(const std::string& text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

bool CreateShellLink(const std::string& target, const std::string& linkFile, const char* iconFile,
                     int iconIndex) {
  // Declared in this order so that they release as IPersistFile, IShellLinkA, IUnknown.
  const ComPtr<IUnknown> object = CreateComObject(kClsidShellLink);
  const ComPtr<IShellLinkA> shellLink = QueryComInterface<IShellLinkA>(object, kIidIShellLinkA);
  const ComPtr<IPersistFile> persistFile =
      QueryComInterface<IPersistFile>(object, kIidIPersistFile);

  // A target that the Shell cannot resolve is no reason to stop: Save decides.
  shellLink->SetPath(target.c_str());
  shellLink->SetWorkingDirectory(DirectoryPart(target).c_str());
  const std::wstring wideLinkFile = ToWide(linkFile);
  shellLink->SetIconLocation(iconFile, iconIndex);
  return persistFile->Save(wideLinkFile.c_str(), FALSE) == S_OK;
}
