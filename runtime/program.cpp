#include "runtime/program.h"

#include <windows.h>

#include <exception>
#include <new>

#include "runtime/error_text.h"
#include "runtime/errors.h"

namespace {

// Full path of `module` (null: the executable); GetModuleFileNameA truncates silently, so
// the buffer grows until the name fits.
std::string ModuleFileName(HMODULE module) {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return std::string();
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

// The module that holds `address` and the address's offset within it; an address in no
// module is charged to the executable, less 4096.
void LocateAddress(const void* address, std::string& moduleName, std::uint64_t& offset) {
  MEMORY_BASIC_INFORMATION info{};
  if (address != nullptr && ::VirtualQuery(address, &info, sizeof info) != 0 &&
      info.AllocationBase != nullptr) {
    moduleName = ModuleFileName(static_cast<HMODULE>(info.AllocationBase));
    offset = reinterpret_cast<std::uintptr_t>(address) -
             reinterpret_cast<std::uintptr_t>(info.AllocationBase);
  }
  if (moduleName.empty()) {
    moduleName = ModuleFileName(nullptr);
    offset = reinterpret_cast<std::uintptr_t>(address) - 4096;
  }
}

// MessageBoxA, with user32 loaded only when a box is shown: most runs show none, and loading
// user32 is most of what a start-up costs. It is a known DLL, always the system's own.
void ShowMessageBox(const std::string& text, const char* caption, UINT style) {
  using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
  const HMODULE user32 = ::LoadLibraryA("user32.dll");
  const auto messageBox = reinterpret_cast<MessageBoxFunction>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "MessageBoxA")));
  if (messageBox != nullptr) messageBox(nullptr, text.c_str(), caption, style);
}

void ShowErrorReport(const char* className, const std::string& message, const void* address) {
  std::string moduleName;
  std::uint64_t offset = 0;
  LocateAddress(address, moduleName, offset);
  const std::string text = FormatErrorReport(className, FileNamePart(moduleName), offset, message);
  ShowMessageBox(text, "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

// Every allocation failure surfaces as EOutOfMemory, raised from inside operator new.
void RaiseOutOfMemory() { Raise(EOutOfMemory()); }

// Where errors that carry no address of their own are charged: the executable itself.
const void* RaiseSite() { return reinterpret_cast<const void*>(&RaiseOutOfMemory); }

}  // namespace

int RunProgram(void (*body)()) {
  std::set_new_handler(RaiseOutOfMemory);
  try {
    body();
    return 0;
  } catch (const Exception& error) {
    ShowErrorReport(error.ClassName(), error.Message(), error.Address());
  } catch (const std::bad_alloc&) {
    ShowErrorReport("EOutOfMemory", EOutOfMemory().Message(), RaiseSite());
  } catch (const std::exception& error) {
    // Not raised by this code, but never left to abort the process without a word.
    ShowErrorReport("Exception", error.what(), RaiseSite());
  }
  return 1;
}

CommandLine ProcessCommandLine() { return CommandLine(::GetCommandLineA()); }

void ShowMessage(const std::string& text, const char* caption) {
  ShowMessageBox(text, caption, MB_OK);
}
