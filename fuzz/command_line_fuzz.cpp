// CommandLineWords on any bytes: the words are exactly the quote-free runs between unquoted
// separators (bytes 1..32) of the line up to its first NUL, empty runs dropped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/require.h"
#include "runtime/command_line.h"

namespace {

bool IsSeparator(unsigned char byte) { return byte >= 1 && byte <= 32; }

// The words as the header describes them, read in one pass with a quote state.
std::vector<std::string> ExpectedWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  for (const char byte : line.substr(0, line.find('\0'))) {
    if (byte == '"') {
      quoted = !quoted;
    } else if (!quoted && IsSeparator(static_cast<unsigned char>(byte))) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += byte;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

void CheckArguments(std::string_view line, const std::vector<std::string>& words) {
  const CommandLine commandLine(line);
  Require(commandLine.Count() == (words.empty() ? 0 : words.size() - 1), "argument count");
  for (std::size_t i = 1; i <= commandLine.Count(); ++i) {
    Require(commandLine.Argument(i) == words[i], "argument text");
  }
  Require(commandLine.Argument(commandLine.Count() + 1).empty(), "argument past the end");
  Require(commandLine.Argument(0).empty(), "argument 0 is no argument");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> words = CommandLineWords(line);
  for (const std::string& word : words) {
    Require(!word.empty(), "no word is empty");
    Require(word.find('\0') == std::string::npos, "no word holds a NUL");
  }
  Require(words == ExpectedWords(line), "words are the unquoted-separator runs");
  CheckArguments(line, words);
  return 0;
}
