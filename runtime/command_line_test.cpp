#include "runtime/command_line.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

struct WordsCase {
  const char* line;
  Words words;
};

// Case names show control and high bytes as \xNN, so that they stay plain test names.
void PrintTo(const WordsCase& words, std::ostream* out) {
  static const char kDigits[] = "0123456789ABCDEF";
  *out << "[";
  for (const char byte : std::string(words.line)) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x20 && value < 0x7F) {
      *out << byte;
    } else {
      *out << "\\x" << kDigits[value >> 4] << kDigits[value & 0xF];
    }
  }
  *out << "]";
}

class CommandLineWordsTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(CommandLineWordsTest, SplitsAsProgramsReadTheirLine) {
  EXPECT_EQ(CommandLineWords(GetParam().line), GetParam().words) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineWordsTest,
    ::testing::Values(
        WordsCase{"", {}}, WordsCase{"   \t\r\n", {}}, WordsCase{"a.exe", {"a.exe"}},
        WordsCase{"a.exe /t", {"a.exe", "/t"}},
        WordsCase{"  a.exe\t\x01/t\x1f x  ", {"a.exe", "/t", "x"}},
        WordsCase{"a \"C:\\Program Files\"\\x.exe", {"a", "C:\\Program Files\\x.exe"}},
        WordsCase{"a x\"y z\"w", {"a", "xy zw"}},
        // A pair of quotes where a word would begin is a separator, never an empty word.
        WordsCase{"a \"\" b", {"a", "b"}}, WordsCase{"a \"\"", {"a"}},
        WordsCase{"a \"\"\"\"/t", {"a", "/t"}},
        // A lone quote at the end gives no word; an unclosed quote runs to the end.
        WordsCase{"a \"", {"a"}}, WordsCase{"a \"x y", {"a", "x y"}},
        WordsCase{"a b\"\"c", {"a", "bc"}}, WordsCase{"a \"/t\"", {"a", "/t"}},
        WordsCase{"a \"/m \"", {"a", "/m "}}, WordsCase{"a \xe9t\xff\x80", {"a", "\xe9t\xff\x80"}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(CommandLineWordsTest, NulEndsTheLine) {
  EXPECT_EQ(CommandLineWords(std::string_view("a b\0c", 5)), (Words{"a", "b"}));
  EXPECT_EQ(CommandLineWords(std::string_view("a \"b\0c\"", 7)), (Words{"a", "b"}));
}

TEST(CommandLineWordsTest, KeepsWordsOfAnyLengthWhole) {
  const std::string longWord(70000, 'x');
  const Words words = CommandLineWords("a " + longWord + " \"" + longWord + " y\" z");
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[1], longWord);
  EXPECT_EQ(words[2], longWord + " y");
  EXPECT_EQ(words[3], "z");
}

TEST(CommandLineTest, CountsArgumentsAfterTheProgramName) {
  const CommandLine commandLine("\"C:\\My Tools\\_Dirwipe.exe\" /t \"/?\"");
  EXPECT_EQ(commandLine.Count(), 2u);
  EXPECT_EQ(commandLine.Argument(0), "");
  EXPECT_EQ(commandLine.Argument(1), "/t");
  EXPECT_EQ(commandLine.Argument(2), "/?");
  EXPECT_EQ(commandLine.Argument(3), "");
}

TEST(CommandLineTest, AnEmptyLineHasNoArguments) {
  EXPECT_EQ(CommandLine("").Count(), 0u);
  EXPECT_EQ(CommandLine("").Argument(1), "");
  EXPECT_EQ(CommandLine("x.exe \"\"").Count(), 0u);
}
