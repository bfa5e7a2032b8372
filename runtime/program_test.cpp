#include "runtime/program.h"

#include <windows.h>

#include <limits>
#include <regex>
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
  const char* report;  // the report's text as a pattern, or null for no box at all
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
  if (GetParam().report == nullptr) {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Application Error");
  EXPECT_TRUE(boxes[0].hasIcon);
  EXPECT_EQ(boxes[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(std::regex_match(boxes[0].text, std::regex(GetParam().report))) << boxes[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, RunProgramTest,
    ::testing::Values(
        BodyCase{"Normal", ReturnsNormally, 0, nullptr},
        BodyCase{"OpenError", RaisesOpenError, 1,
                 "Exception EFOpenError in module runtime_tests\\.exe at [0-9A-F]{8}\\.\n"
                 "Cannot open file _Del\\.inf\\."},
        BodyCase{"OutOfMemory", RunsOutOfMemory, 1,
                 "Exception EOutOfMemory in module runtime_tests\\.exe at [0-9A-F]{8}\\.\n"
                 "Out of memory\\."},
        BodyCase{"ForeignError", ThrowsForeignError, 1,
                 "Exception Exception in module runtime_tests\\.exe at [0-9A-F]{8}\\.\n"
                 "too long\\."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
