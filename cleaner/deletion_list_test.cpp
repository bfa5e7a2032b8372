#include "cleaner/deletion_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "runtime/unique_handle.h"
#include "tests/support/sandbox.h"

namespace {

// Runs each case with the sandbox as working directory, where "_Del.inf" is looked for.
class DeletionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::GetCurrentDirectoryA(sizeof saved_, saved_);
    MakeDirectories(work_);
    ASSERT_TRUE(::SetCurrentDirectoryA(work_.c_str()));
  }
  void TearDown() override { ::SetCurrentDirectoryA(saved_); }

  void SetLastWriteYear(const std::string& path, WORD year) {
    const SYSTEMTIME time{year, 6, 0, 15, 12, 0, 0, 0};
    FILETIME fileTime;
    ASSERT_TRUE(::SystemTimeToFileTime(&time, &fileTime));
    const UniqueFileHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &fileTime));
  }

  Sandbox box_;
  const std::string work_ = box_.Path("work\\");
  char saved_[MAX_PATH];
};

TEST_F(DeletionListTest, ExistsOnlyAsAFileWithADosDate) {
  EXPECT_FALSE(DeletionListExists());
  WriteFile(work_ + "_DEL.INF", "");
  EXPECT_TRUE(DeletionListExists());
  ::SetFileAttributesA("_Del.inf", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(DeletionListExists());
  ::SetFileAttributesA("_Del.inf", FILE_ATTRIBUTE_NORMAL);
  SetLastWriteYear("_Del.inf", 1979);
  EXPECT_FALSE(DeletionListExists());
  SetLastWriteYear("_Del.inf", 1981);
  EXPECT_TRUE(DeletionListExists());
}

TEST_F(DeletionListTest, ADirectoryOfThatNameIsNoList) {
  MakeDirectories(work_ + "_Del.inf");
  EXPECT_FALSE(DeletionListExists());
}

TEST_F(DeletionListTest, AListInUseRaisesTheOpenErrorBeforeAnyDeletion) {
  WriteFile(box_.Path("A\\f.txt"), "x");
  WriteFile(work_ + "_Del.inf", "..\\A\r\n");
  const UniqueFileHandle held(::CreateFileA("_Del.inf", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  try {
    ProcessDeletionList();
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.ClassName(), "EFOpenError");
    EXPECT_EQ(error.Message(), "Cannot open file _Del.inf");
    EXPECT_NE(error.Address(), nullptr);
  }
  EXPECT_TRUE(Exists(box_.Path("A\\f.txt")));
}

TEST_F(DeletionListTest, IsReadWholeBeforeItsEntriesAreCleared) {
  // The second entry, the working directory, deletes the list itself; a file in use keeps
  // that directory. The entry after it must still be cleared.
  WriteFile(box_.Path("A\\f.txt"), "x");
  WriteFile(box_.Path("B\\g.txt"), "y");
  WriteFile(work_ + "in-use.txt", "z");
  const UniqueFileHandle inUse(::CreateFileA("in-use.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  WriteFile(work_ + "_Del.inf", "..\\A\r\n" + work_ + "\r\n..\\B\r\n");
  ProcessDeletionList();
  EXPECT_FALSE(Exists(work_ + "_Del.inf"));
  EXPECT_TRUE(Exists(work_ + "in-use.txt"));
  EXPECT_FALSE(Exists(box_.Path("A")));
  EXPECT_FALSE(Exists(box_.Path("B")));
}

}  // namespace
