// Command-line words, read the way both programs read their own command line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The words of a command line: runs of bytes above 32, with double-quoted stretches
// (quotes dropped) allowed anywhere inside a word. An empty word is never produced, and
// the first NUL byte ends the line. Words have no length limit.
std::vector<std::string> CommandLineWords(std::string_view line);

// A parsed command line: word 0 is the program's name as typed, the rest are arguments.
class CommandLine {
 public:
  explicit CommandLine(std::string_view line);

  // Number of arguments, the program's name not counted.
  std::size_t Count() const;
  // Argument `index` (1 is the first after the program's name); empty beyond Count().
  const std::string& Argument(std::size_t index) const;

 private:
  std::vector<std::string> words_;
};
