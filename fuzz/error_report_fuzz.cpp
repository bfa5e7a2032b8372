// FormatErrorReport with texts of any length: the report starts with "Exception ", never
// exceeds kErrorReportLimit bytes, and is the start of the complete report. Also the helpers
// it is built from: HexDigits8, FileNamePart and OleErrorMessage.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "runtime/error_text.h"

namespace {

bool IsHexDigit(char byte) { return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'F'); }

void CheckHexDigits(std::uint64_t value) {
  const std::string digits = HexDigits8(value);
  Require(digits.size() >= 8 && digits.size() <= 16, "eight to sixteen digits");
  for (const char digit : digits) Require(IsHexDigit(digit), "upper-case hexadecimal");
  Require(std::stoull(digits, nullptr, 16) == value, "the digits read back as the value");
  Require(digits.size() == 8 || digits[0] != '0', "no padding beyond eight digits");
}

void CheckReport(const std::string& className, const std::string& moduleName, std::uint64_t offset,
                 const std::string& message) {
  const std::string report = FormatErrorReport(className, moduleName, offset, message);
  std::string complete = "Exception " + className + " in module " + moduleName + " at " +
                         HexDigits8(offset) + ".\n" + message;
  if (!message.empty() && message.back() != '.') complete += '.';
  Require(report.size() <= kErrorReportLimit, "the report fits the limit");
  Require(report.rfind("Exception ", 0) == 0, "the report starts with \"Exception \"");
  Require(complete.compare(0, report.size(), report) == 0, "the report is cut, not changed");
  Require(report.size() == std::min(complete.size(), kErrorReportLimit), "cut only at the limit");
}

void CheckFileNamePart(const std::string& path) {
  const std::string_view name = FileNamePart(path);
  Require(
      path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0,
      "the file name ends the path");
  Require(name.find_first_of("\\:") == std::string_view::npos, "no separator in the name");
  if (name.size() < path.size()) {
    const char before = path[path.size() - name.size() - 1];
    Require(before == '\\' || before == ':', "the name follows a separator");
  }
}

bool IsTrimmed(char byte) { return static_cast<unsigned char>(byte) <= 0x20 || byte == '.'; }

void CheckOleMessage(const std::string& systemText, std::int32_t errorCode) {
  const std::string message = OleErrorMessage(systemText, errorCode);
  bool hasText = false;
  for (const char byte : systemText) hasText = hasText || !IsTrimmed(byte);
  if (!hasText) {
    Require(message == "OLE error " + HexDigits8(static_cast<std::uint32_t>(errorCode)),
            "the code when the system text is all blanks and periods");
    return;
  }
  Require(systemText.compare(0, message.size(), message) == 0, "the system text's start");
  Require(!message.empty() && !IsTrimmed(message.back()), "ends in a kept byte");
  for (std::size_t pos = message.size(); pos < systemText.size(); ++pos) {
    Require(IsTrimmed(systemText[pos]), "only blanks, control bytes and periods are cut");
  }
}

// `bytes` repeated up to `length` bytes (a run of "m" when there are none).
std::string Repeated(const std::string& bytes, std::size_t length) {
  const std::string unit = bytes.empty() ? std::string("m") : bytes;
  std::string text;
  while (text.size() < length) text.append(unit, 0, length - text.size());
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint64_t offset = input.ConsumeIntegral<std::uint64_t>();
  const std::string className = input.ConsumeRandomLengthString(64);
  const std::string moduleName = input.ConsumeRandomLengthString(512);
  // The length is chosen apart from the bytes, often so that the report ends just around
  // the limit, where an off-by-one would show.
  const std::size_t header = std::string("Exception  in module  at .\n").size() + className.size() +
                             moduleName.size() + HexDigits8(offset).size();
  const std::size_t room = kErrorReportLimit - std::min(header, kErrorReportLimit);
  const std::size_t aroundRoom = room + input.ConsumeIntegral<std::uint8_t>() % 5;
  const std::size_t length =
      input.ConsumeBool() ? aroundRoom - std::min<std::size_t>(aroundRoom, 2)  // room -2 .. +2
                          : input.ConsumeIntegralInRange<std::size_t>(0, 3 * kErrorReportLimit);
  const std::string message = Repeated(input.ConsumeRemainingBytesAsString(), length);
  CheckHexDigits(offset);
  CheckReport(className, moduleName, offset, message);
  CheckFileNamePart(moduleName);
  CheckOleMessage(message, static_cast<std::int32_t>(offset));
  return 0;
}
