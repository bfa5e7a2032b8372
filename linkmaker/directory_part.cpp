#include "linkmaker/directory_part.h"

std::string DirectoryPart(std::string_view path, const LeadByteTable* leadBytes) {
  std::size_t end = 0;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const auto byte = static_cast<unsigned char>(path[pos]);
    if (leadBytes != nullptr && (*leadBytes)[byte] && pos + 1 < path.size()) {
      pos += 2;  // the trail byte may look like "\" (0x5C), but it is no separator
      continue;
    }
    if (byte == '\\' || byte == ':') end = pos + 1;
    ++pos;
  }
  return std::string(path.substr(0, end));
}

LeadByteTable LeadBytesFromRanges(const unsigned char* leadByteRanges, std::size_t size) {
  LeadByteTable table{};
  for (std::size_t i = 0; i + 1 < size && (leadByteRanges[i] | leadByteRanges[i + 1]); i += 2) {
    for (unsigned value = leadByteRanges[i]; value <= leadByteRanges[i + 1]; ++value) {
      table[value] = true;
    }
  }
  return table;
}
