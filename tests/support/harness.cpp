#include "tests/support/harness.h"

#include <memory>
#include <set>

#include "runtime/unique_handle.h"

namespace {

// Control identifiers of the system's message box dialog.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x440;

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), text.size())));
  return text;
}

std::string ClassName(HWND window) {
  char name[256];
  return std::string(name, static_cast<std::size_t>(::GetClassNameA(window, name, sizeof name)));
}

BOOL CALLBACK ReadControl(HWND control, LPARAM param) {
  auto& box = *reinterpret_cast<SeenBox*>(param);
  const int id = ::GetDlgCtrlID(control);
  if (id == kTextId) box.text = WindowText(control);
  if (id == kIconId && ::SendMessageA(control, STM_GETICON, 0, 0) != 0) box.hasIcon = true;
  if (ClassName(control) == "Button" && ::IsWindowVisible(control)) {
    box.buttons.push_back(WindowText(control));
  }
  return TRUE;
}

struct BoxWatch {
  DWORD processId;
  std::set<HWND> answered;
  std::vector<SeenBox>* boxes;
};

BOOL CALLBACK AnswerIfBox(HWND window, LPARAM param) {
  auto& watch = *reinterpret_cast<BoxWatch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != watch.processId || ClassName(window) != "#32770" || !::IsWindowVisible(window) ||
      !watch.answered.insert(window).second) {
    return TRUE;
  }
  SeenBox box;
  box.caption = WindowText(window);
  ::EnumChildWindows(window, ReadControl, reinterpret_cast<LPARAM>(&box));
  watch.boxes->push_back(box);
  ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

// A sorted environment block: this process's variables with `changes` applied.
std::string EnvironmentBlock(const std::map<std::string, std::optional<std::string>>& changes) {
  std::map<std::string, std::string> variables;
  const std::unique_ptr<char, decltype(&::FreeEnvironmentStringsA)> strings(
      ::GetEnvironmentStringsA(), &::FreeEnvironmentStringsA);
  for (const char* entry = strings.get(); *entry != '\0'; entry += lstrlenA(entry) + 1) {
    const std::string line = entry;
    const std::size_t equals = line.find('=', 1);
    if (equals != std::string::npos) variables[line.substr(0, equals)] = line.substr(equals + 1);
  }
  for (const auto& [name, value] : changes) {
    for (auto it = variables.begin(); it != variables.end();) {
      it = lstrcmpiA(it->first.c_str(), name.c_str()) == 0 ? variables.erase(it) : std::next(it);
    }
    if (value) variables[name] = *value;
  }
  std::string block;
  for (const auto& [name, value] : variables) block += name + "=" + value + '\0';
  return block + '\0';
}

}  // namespace

bool AnswerBoxesUntil(HANDLE done, DWORD processId, DWORD timeoutMs, std::vector<SeenBox>& boxes) {
  BoxWatch watch{processId, {}, &boxes};
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (::WaitForSingleObject(done, 5) == WAIT_TIMEOUT) {
    ::EnumWindows(AnswerIfBox, reinterpret_cast<LPARAM>(&watch));
    if (::GetTickCount64() > deadline) return false;
  }
  return true;
}

RunResult RunDeliverable(const std::string& program, const RunRequest& request) {
  UniqueFileHandle held;
  if (!request.holdOpen.empty()) {
    held.reset(::CreateFileA(request.holdOpen.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  std::string commandLine = request.commandLine;
  std::string environment = EnvironmentBlock(request.environment);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  RunResult result;
  if (!::CreateProcessA(
          program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(),
          request.workingDirectory.empty() ? nullptr : request.workingDirectory.c_str(), &startup,
          &process)) {
    result.exitCode = 0xFFFFFFFF;
    return result;
  }
  const UniqueKernelHandle processHandle(process.hProcess);
  const UniqueKernelHandle threadHandle(process.hThread);
  if (!AnswerBoxesUntil(process.hProcess, process.dwProcessId, request.timeoutMs, result.boxes)) {
    result.timedOut = true;
    ::TerminateProcess(process.hProcess, 0xDEAD);
    ::WaitForSingleObject(process.hProcess, INFINITE);
  }
  ::GetExitCodeProcess(process.hProcess, &result.exitCode);
  return result;
}

::testing::AssertionResult IsErrorReport(const SeenBox& box, const std::string& className,
                                         const std::string& module, const std::string& message) {
  const std::string head = "Exception " + className + " in module " + module + " at ";
  const std::string tail = ".\n" + message;
  const std::string& text = box.text;
  bool textMatches = text.size() == head.size() + 8 + tail.size() &&
                     text.compare(0, head.size(), head) == 0 &&
                     text.compare(head.size() + 8, tail.size(), tail) == 0;
  for (std::size_t i = head.size(); textMatches && i < head.size() + 8; ++i) {
    textMatches = (text[i] >= '0' && text[i] <= '9') || (text[i] >= 'A' && text[i] <= 'F');
  }
  if (box.caption != "Application Error" || !box.hasIcon ||
      box.buttons != std::vector<std::string>{"OK"} || !textMatches) {
    return ::testing::AssertionFailure()
           << "caption [" << box.caption << "], icon " << box.hasIcon << ", " << box.buttons.size()
           << " button(s), text [" << text << "]";
  }
  return ::testing::AssertionSuccess();
}
