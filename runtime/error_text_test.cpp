#include "runtime/error_text.h"

#include <gtest/gtest.h>

TEST(FormatErrorReportTest, FillsTheReportAndAddsOneFinalPeriod) {
  EXPECT_EQ(
      FormatErrorReport("EFOpenError", "_Dirwipe.exe", 0x1A2B, "Cannot open file _Del.inf"),
      "Exception EFOpenError in module _Dirwipe.exe at 00001A2B.\nCannot open file _Del.inf.");
  EXPECT_EQ(FormatErrorReport("E", "m.exe", 0, "Done."),
            "Exception E in module m.exe at 00000000.\nDone.");
  EXPECT_EQ(FormatErrorReport("E", "m.exe", 0xFFFFFFFF, ""),
            "Exception E in module m.exe at FFFFFFFF.\n");
}

TEST(FormatErrorReportTest, NeverExceedsItsLimit) {
  const std::string text = FormatErrorReport("E", "m.exe", 1, std::string(5000, 'x'));
  EXPECT_EQ(text.size(), kErrorReportLimit);
  EXPECT_EQ(text.rfind("Exception E in module m.exe at 00000001.\nxxx", 0), 0u);
}

TEST(HexDigits8Test, PadsToEightUpperCaseDigitsAndKeepsLongerValues) {
  EXPECT_EQ(HexDigits8(0xabc), "00000ABC");
  EXPECT_EQ(HexDigits8(0x123456789ull), "123456789");
}

TEST(FileNamePartTest, DropsTheDirectory) {
  EXPECT_EQ(FileNamePart("C:\\Tools\\_Lnkmake.exe"), "_Lnkmake.exe");
  EXPECT_EQ(FileNamePart("C:x.exe"), "x.exe");
  EXPECT_EQ(FileNamePart("x.exe"), "x.exe");
}

TEST(OleErrorMessageTest, TrimsTrailingBlanksAndPeriods) {
  EXPECT_EQ(OleErrorMessage("Class not registered.\r\n", 0), "Class not registered");
  EXPECT_EQ(OleErrorMessage("Odd . .. \r\n.", 0), "Odd");
  EXPECT_EQ(OleErrorMessage("Keeps %1 inserts\r\n", 0), "Keeps %1 inserts");
}

TEST(OleErrorMessageTest, FallsBackToTheCodeInUpperCaseHex) {
  EXPECT_EQ(OleErrorMessage("", static_cast<std::int32_t>(0x80040154)), "OLE error 80040154");
  EXPECT_EQ(OleErrorMessage(" .\r\n", 0x1ab), "OLE error 000001AB");
}
