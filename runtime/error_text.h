// Texts of the default error report and of system error messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Longest text the default error report shows, in bytes.
constexpr std::size_t kErrorReportLimit = 1024;

// The default error report's text: "Exception <class> in module <module> at <offset>." LF
// "<message>", with a final "." added when the message lacks one; cut to kErrorReportLimit.
std::string FormatErrorReport(std::string_view className, std::string_view moduleName,
                              std::uint64_t offset, std::string_view message);

// `value` as upper-case hexadecimal, zero-padded to at least eight digits.
std::string HexDigits8(std::uint64_t value);

// The file name of a module path: what follows its last backslash or colon.
std::string_view FileNamePart(std::string_view path);

// The message of a COM error: the system's text without trailing blanks, control bytes and
// periods, or "OLE error XXXXXXXX" when nothing is left of it.
std::string OleErrorMessage(std::string_view systemText, std::int32_t errorCode);
