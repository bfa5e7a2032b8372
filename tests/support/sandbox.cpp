#include "tests/support/sandbox.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

std::string ProgramPath(const std::string& name) {
  return std::string(TEST_DRIVE) + "\\bin\\" + name;
}

Sandbox::Sandbox() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  root_ = std::string(TEST_DRIVE) + "\\sandbox\\" + test->test_suite_name() + "." + test->name();
  for (char& byte : root_) {
    if (byte == '/') byte = '_';
  }
  std::error_code error;
  std::filesystem::remove_all(root_, error);
  MakeDirectories(root_);
  root_ += '\\';
}

std::string Sandbox::Path(const std::string& relative) const { return root_ + relative; }

void MakeDirectories(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
}

void WriteFile(const std::string& path, const std::string& contents) {
  const std::filesystem::path file(path);
  if (file.has_parent_path()) MakeDirectories(file.parent_path().string());
  std::ofstream(path, std::ios::binary) << contents;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
