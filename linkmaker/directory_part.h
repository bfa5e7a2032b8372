// The directory part of a path: up to and including its last backslash or colon.
#pragma once

#include <array>
#include <string>
#include <string_view>

// Which bytes open a double-byte character in the ANSI code page.
using LeadByteTable = std::array<bool, 256>;

// The directory part of `path`; empty when it holds neither "\" nor ":". With a lead-byte
// table, the second byte of a double-byte character never counts as a separator.
std::string DirectoryPart(std::string_view path, const LeadByteTable* leadBytes);

// The lead bytes of the code page `leadByteRanges` describes: pairs of first and last byte,
// ended by a zero pair, as the platform's code-page information lists them.
LeadByteTable LeadBytesFromRanges(const unsigned char* leadByteRanges, std::size_t size);

// The directory part of `path` by the rules of this system's ANSI code page.
std::string DirectoryPart(const std::string& path);
