// Line splitting of the deletion list's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of `text`, in order: each ends at CR, LF or NUL; after it one CR, then one LF is
// skipped. The first NUL ends the text, and a line end at the very end adds no empty line.
std::vector<std::string> SplitListLines(std::string_view text);
