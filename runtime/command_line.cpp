#include "runtime/command_line.h"

namespace {

bool IsSeparator(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 1 && value <= 32;
}

bool EndsLine(std::string_view line, std::size_t pos) {
  return pos >= line.size() || line[pos] == '\0';
}

// Moves past blanks and control bytes, and past "" pairs where a word would begin.
std::size_t SkipSeparators(std::string_view line, std::size_t pos) {
  for (;;) {
    while (!EndsLine(line, pos) && IsSeparator(line[pos])) ++pos;
    if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    return pos;
  }
}

// Reads one word starting at `pos`; returns the position after it.
std::size_t ReadWord(std::string_view line, std::size_t pos, std::string& word) {
  while (!EndsLine(line, pos) && !IsSeparator(line[pos])) {
    if (line[pos] != '"') {
      word += line[pos++];
      continue;
    }
    ++pos;
    while (!EndsLine(line, pos) && line[pos] != '"') word += line[pos++];
    if (!EndsLine(line, pos)) ++pos;
  }
  return pos;
}

}  // namespace

std::vector<std::string> CommandLineWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t pos = SkipSeparators(line, 0);
  while (!EndsLine(line, pos)) {
    std::string word;
    pos = SkipSeparators(line, ReadWord(line, pos, word));
    // Only a lone quote at the very end gives an empty word, and it is no argument.
    if (word.empty()) break;
    words.push_back(std::move(word));
  }
  return words;
}

CommandLine::CommandLine(std::string_view line) : words_(CommandLineWords(line)) {}

std::size_t CommandLine::Count() const { return words_.empty() ? 0 : words_.size() - 1; }

const std::string& CommandLine::Argument(std::size_t index) const {
  static const std::string kNone;
  return index >= 1 && index < words_.size() ? words_[index] : kNone;
}
