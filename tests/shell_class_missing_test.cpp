// _Lnkmake when the Shell's ShellLink class is not registered. It changes the prefix's
// registry for the one run, so it runs alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/unique_handle.h"
#include "tests/support/harness.h"
#include "tests/support/sandbox.h"

namespace {

const char kClassKey[] = "Software\\Classes\\CLSID\\{00021401-0000-0000-C000-000000000046}";
const char kBackupKey[] = "Software\\DirwipeLnkmakeTests\\ShellLinkClass";

struct RegistryKeyTraits {
  using Pointer = HKEY;
  static Pointer Empty() { return nullptr; }
  static void Close(Pointer key) { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

UniqueRegistryKey CreateKey(const char* path) {
  UniqueRegistryKey key;
  ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                    nullptr);
  return key;
}

// Copies the whole key `from` into `to`; true when that worked.
bool CopyKey(const char* from, const char* to) {
  UniqueRegistryKey source;
  ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, from, 0, KEY_READ, source.put());
  return source && ::RegCopyTreeA(source.get(), nullptr, CreateKey(to).get()) == ERROR_SUCCESS;
}

// Takes the class's registration away for its lifetime and puts it back after.
class ClassRegistrationRemoved {
 public:
  ClassRegistrationRemoved()
      : saved_(CopyKey(kClassKey, kBackupKey)),
        removed_(saved_ && ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClassKey) == ERROR_SUCCESS) {}
  ~ClassRegistrationRemoved() {
    if (saved_ && CopyKey(kBackupKey, kClassKey)) {
      ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\DirwipeLnkmakeTests");
    }
  }
  bool Removed() const { return removed_; }

 private:
  const bool saved_;
  const bool removed_;
};

TEST(ShellClassMissingTest, EndsInTheErrorReportAfterTheFolderStep) {
  Sandbox box;
  const std::string name = box.Path("made\\Notepad");
  RunRequest request;
  request.commandLine = "_Lnkmake.exe C:\\windows\\notepad.exe " + name + " /m";
  request.workingDirectory = box.Path();
  RunResult result;
  {
    const ClassRegistrationRemoved removed;
    ASSERT_TRUE(removed.Removed());
    result = RunDeliverable(ProgramPath("_Lnkmake.exe"), request);
  }
  EXPECT_EQ(result.exitCode, 1u);
  ASSERT_EQ(result.boxes.size(), 1u);
  // The system's text for REGDB_E_CLASSNOTREG, with exactly one final period.
  char systemText[256] = "";
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(REGDB_E_CLASSNOTREG), 0, systemText, sizeof systemText,
                   nullptr);
  std::string expected = systemText;
  while (!expected.empty() &&
         (static_cast<unsigned char>(expected.back()) <= ' ' || expected.back() == '.')) {
    expected.pop_back();
  }
  // Wine has no text for it; the report then names the code itself.
  if (expected.empty()) expected = "OLE error 80040154";
  EXPECT_TRUE(IsErrorReport(result.boxes[0], "EOleSysError", "_Lnkmake.exe", expected + "."));
  EXPECT_TRUE(Exists(box.Path("made")));
  EXPECT_FALSE(Exists(name + ".lnk"));
}

}  // namespace
