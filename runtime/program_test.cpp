#include "runtime/program.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "runtime/unique_handle.h"
#include "tests/support/harness.h"

namespace {

void ReturnsNormally() {}
void RaisesOpenError() { Raise(EFOpenError("_Del.inf")); }
// More than any process can have: operator new must end in the out-of-memory error.
void RunsOutOfMemory() {
  ::operator delete(::operator new(std::numeric_limits<std::size_t>::max() / 2));
}
void ThrowsForeignError() { throw std::length_error("too long"); }

struct BodyCase {
  const char* name;
  void (*body)();
  DWORD exitCode;
  const char* className;  // of the report, or null for no box at all
  const char* message;
};

void PrintTo(const BodyCase& body, std::ostream* out) { *out << body.name; }

struct ProgramRun {
  void (*body)();
  int exitCode;
};

DWORD WINAPI RunOnThread(void* parameter) {
  auto& run = *static_cast<ProgramRun*>(parameter);
  run.exitCode = RunProgram(run.body);
  return 0;
}

class RunProgramTest : public ::testing::TestWithParam<BodyCase> {};

// The program body runs on a thread of its own, so that this one can answer the report.
TEST_P(RunProgramTest, ReportsWhatEscapesAfterUnwinding) {
  ProgramRun run{GetParam().body, -1};
  const UniqueKernelHandle thread(::CreateThread(nullptr, 0, RunOnThread, &run, 0, nullptr));
  ASSERT_TRUE(thread);
  std::vector<SeenBox> boxes;
  ASSERT_TRUE(AnswerBoxesUntil(thread.get(), ::GetCurrentProcessId(), 30000, boxes));
  EXPECT_EQ(static_cast<DWORD>(run.exitCode), GetParam().exitCode);
  if (GetParam().className == nullptr) {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(
      IsErrorReport(boxes[0], GetParam().className, "runtime_tests.exe", GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, RunProgramTest,
    ::testing::Values(BodyCase{"Normal", ReturnsNormally, 0, nullptr, nullptr},
                      BodyCase{"OpenError", RaisesOpenError, 1, "EFOpenError",
                               "Cannot open file _Del.inf."},
                      BodyCase{"OutOfMemory", RunsOutOfMemory, 1, "EOutOfMemory", "Out of memory."},
                      BodyCase{"ForeignError", ThrowsForeignError, 1, "Exception", "too long."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
