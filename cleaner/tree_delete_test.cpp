#include "cleaner/tree_delete.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/unique_handle.h"
#include "tests/support/sandbox.h"

namespace {

DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

void SetAttributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
}

// A file held open without sharing, as by a program that has it in use.
UniqueFileHandle HoldOpen(const std::string& path) {
  return UniqueFileHandle(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Makes the working directory `path` for the lifetime of the object.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& path) {
    ::GetCurrentDirectoryA(sizeof saved_, saved_);
    ::SetCurrentDirectoryA(path.c_str());
  }
  ~WorkingDirectory() { ::SetCurrentDirectoryA(saved_); }

 private:
  char saved_[MAX_PATH];
};

class TreeDeleteTest : public ::testing::Test {
 protected:
  // D with files at every level, read-only, hidden and system ones among them.
  void MakeTree() {
    WriteFile(box_.Path("D\\top.txt"), "1");
    WriteFile(box_.Path("D\\A\\a.txt"), "2");
    WriteFile(box_.Path("D\\A\\B\\b.txt"), "3");
    WriteFile(box_.Path("D\\A\\B\\readonly.txt"), "4");
    WriteFile(box_.Path("D\\C\\hidden.txt"), "5");
    WriteFile(box_.Path("D\\C\\system.txt"), "6");
    MakeDirectories(box_.Path("D\\A\\empty"));
    SetAttributes(box_.Path("D\\A\\B\\readonly.txt"),
                  FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(box_.Path("D\\C\\hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(box_.Path("D\\C\\system.txt"), FILE_ATTRIBUTE_SYSTEM);
  }

  Sandbox box_;
};

TEST_F(TreeDeleteTest, IsDirectoryOnlyForExistingDirectories) {
  WriteFile(box_.Path("file.txt"), "x");
  EXPECT_TRUE(IsDirectory(box_.Path()));
  EXPECT_TRUE(IsDirectory(box_.Path().substr(0, box_.Path().size() - 1)));
  EXPECT_FALSE(IsDirectory(box_.Path("file.txt")));
  EXPECT_FALSE(IsDirectory(box_.Path("missing")));
  EXPECT_FALSE(IsDirectory(""));
}

TEST_F(TreeDeleteTest, NoDirectoryMeansFalseAndNothingTouched) {
  WriteFile(box_.Path("file.txt"), "x");
  for (const std::string& path : {box_.Path("file.txt"), box_.Path("missing"), std::string()}) {
    EXPECT_FALSE(DeleteTree(path, true)) << path;
  }
  EXPECT_EQ(ReadFile(box_.Path("file.txt")), "x");
}

TEST_F(TreeDeleteTest, EmptiesTheTreeAndRemovesItBottomUp) {
  MakeTree();
  EXPECT_TRUE(DeleteTree(box_.Path("D"), true));
  EXPECT_FALSE(Exists(box_.Path("D")));
}

TEST_F(TreeDeleteTest, KeepsEveryDirectoryWithoutRemoval) {
  MakeTree();
  EXPECT_TRUE(DeleteTree(box_.Path("D"), false));
  for (const char* directory : {"D", "D\\A", "D\\A\\B", "D\\A\\empty", "D\\C"}) {
    EXPECT_TRUE(IsDirectory(box_.Path(directory))) << directory;
  }
  for (const char* file :
       {"D\\top.txt", "D\\A\\a.txt", "D\\A\\B\\readonly.txt", "D\\C\\hidden.txt"}) {
    EXPECT_FALSE(Exists(box_.Path(file))) << file;
  }
}

TEST_F(TreeDeleteTest, AFileInUseKeepsItsAncestorsOnly) {
  MakeTree();
  const std::string inUse = box_.Path("D\\A\\B\\readonly.txt");
  const UniqueFileHandle held = HoldOpen(inUse);
  ASSERT_TRUE(held);
  EXPECT_FALSE(DeleteTree(box_.Path("D"), true));
  // Read-only and hidden were cleared before the deletion was refused.
  EXPECT_EQ(Attributes(inUse), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_FALSE(Exists(box_.Path("D\\A\\B\\b.txt")));
  EXPECT_FALSE(Exists(box_.Path("D\\A\\a.txt")));
  EXPECT_FALSE(Exists(box_.Path("D\\top.txt")));
  EXPECT_FALSE(Exists(box_.Path("D\\A\\empty")));
  EXPECT_FALSE(Exists(box_.Path("D\\C")));
  EXPECT_TRUE(IsDirectory(box_.Path("D\\A\\B")));
}

TEST_F(TreeDeleteTest, DotNamedEntriesStayAndKeepTheirParent) {
  WriteFile(box_.Path("D\\.x"), "x");
  WriteFile(box_.Path("D\\.y\\inner.txt"), "y");
  WriteFile(box_.Path("D\\plain.txt"), "z");
  EXPECT_FALSE(DeleteTree(box_.Path("D"), true));
  EXPECT_EQ(ReadFile(box_.Path("D\\.x")), "x");
  EXPECT_EQ(ReadFile(box_.Path("D\\.y\\inner.txt")), "y");
  EXPECT_FALSE(Exists(box_.Path("D\\plain.txt")));
}

TEST_F(TreeDeleteTest, TrailingBackslashIsRemovedAsGiven) {
  WriteFile(box_.Path("D\\sub\\f.txt"), "x");
  EXPECT_TRUE(DeleteTree(box_.Path("D\\"), true));
  EXPECT_FALSE(Exists(box_.Path("D")));
}

TEST_F(TreeDeleteTest, ALoneLetterIsADirectoryInTheWorkingDirectory) {
  // A walk of the drive root instead would take this marker.
  const std::string rootMarker = std::string(TEST_DRIVE) + "\\one-letter-marker.txt";
  WriteFile(rootMarker, "root");
  WriteFile(box_.Path("t\\inside.txt"), "x");
  {
    const WorkingDirectory here(box_.Path());
    EXPECT_TRUE(DeleteTree("t", true));
  }
  EXPECT_FALSE(Exists(box_.Path("t")));
  EXPECT_EQ(ReadFile(rootMarker), "root");
}

TEST_F(TreeDeleteTest, ADriveDesignatorIsWalkedButNeverRemoved) {
  WriteFile(box_.Path("cwd\\f.txt"), "x");
  WriteFile(box_.Path("cwd\\sub\\g.txt"), "y");
  {
    const WorkingDirectory here(box_.Path("cwd"));
    EXPECT_TRUE(DeleteTree(TEST_DRIVE, true));
  }
  EXPECT_TRUE(IsDirectory(box_.Path("cwd")));
  EXPECT_FALSE(Exists(box_.Path("cwd\\f.txt")));
  EXPECT_FALSE(Exists(box_.Path("cwd\\sub")));
}

// Trees with a link to a directory outside them, made natively before the run.
class DirectoryLinkTest : public ::testing::TestWithParam<bool> {
 protected:
  std::string Case() const {
    return std::string(TEST_DRIVE) + "\\links\\" + (GetParam() ? "walk\\" : "keep\\");
  }
  void SetUp() override {
    if (!(Attributes(Case() + "tree\\link") & FILE_ATTRIBUTE_REPARSE_POINT)) {
      GTEST_SKIP() << "the link fixtures are made by ctest's setup";
    }
  }
};

TEST_P(DirectoryLinkTest, NeverWalksIntoTheLinkTarget) {
  const bool removeDirectories = GetParam();
  const bool result = DeleteTree(Case() + "tree", removeDirectories);
  EXPECT_EQ(ReadFile(Case() + "outside\\keep.txt"), "keep me\n");
  EXPECT_EQ(ReadFile(Case() + "outside\\deep\\keep.txt"), "keep me too\n");
  EXPECT_FALSE(Exists(Case() + "tree\\file.txt"));
  EXPECT_FALSE(Exists(Case() + "tree\\sub\\file.txt"));
  EXPECT_EQ(Exists(Case() + "tree\\sub"), !removeDirectories);
  const bool linkStays = Exists(Case() + "tree\\link");
  if (removeDirectories) {
    // Windows removes the link itself; Wine refuses because its target is not empty.
    EXPECT_EQ(result, !linkStays);
    EXPECT_EQ(Exists(Case() + "tree"), linkStays);
  } else {
    EXPECT_TRUE(result);
    EXPECT_TRUE(linkStays);
  }
}

INSTANTIATE_TEST_SUITE_P(Removal, DirectoryLinkTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Removing" : "Keeping"; });

}  // namespace
