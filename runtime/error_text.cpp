#include "runtime/error_text.h"

std::string HexDigits8(std::uint64_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
  return digits;
}

std::string FormatErrorReport(std::string_view className, std::string_view moduleName,
                              std::uint64_t offset, std::string_view message) {
  std::string text = "Exception ";
  text.append(className).append(" in module ").append(moduleName);
  text.append(" at ").append(HexDigits8(offset)).append(".\n").append(message);
  if (!message.empty() && message.back() != '.') text += '.';
  if (text.size() > kErrorReportLimit) text.resize(kErrorReportLimit);
  return text;
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string OleErrorMessage(std::string_view systemText, std::int32_t errorCode) {
  while (!systemText.empty() &&
         (static_cast<unsigned char>(systemText.back()) <= 0x20 || systemText.back() == '.')) {
    systemText.remove_suffix(1);
  }
  if (!systemText.empty()) return std::string(systemText);
  return "OLE error " + HexDigits8(static_cast<std::uint32_t>(errorCode));
}
