// Runs a command line and prints the child's peak working set and peak committed memory,
// sampled from the platform's own counters while it runs.
//   peakmem.exe COMMAND-LINE...
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += std::string(i > 1 ? " " : "") + argv[i];
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::fprintf(stderr, "cannot start: %lu\n", ::GetLastError());
    return 2;
  }
  SIZE_T peakWorkingSet = 0;
  SIZE_T peakCommitted = 0;
  do {
    PROCESS_MEMORY_COUNTERS counters{};
    if (::GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
      if (counters.PeakWorkingSetSize > peakWorkingSet)
        peakWorkingSet = counters.PeakWorkingSetSize;
      if (counters.PeakPagefileUsage > peakCommitted) peakCommitted = counters.PeakPagefileUsage;
    }
  } while (::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT);
  std::printf("peak_working_set_kib=%zu peak_committed_kib=%zu\n", peakWorkingSet / 1024,
              peakCommitted / 1024);
  return 0;
}
