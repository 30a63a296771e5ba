#pragma once
// The volume label written in a disc image, as Windows shows it for the disc.
#include <string>

namespace platform::posix {

// An ISO 9660 image's label: the Joliet descriptor's (UCS-2, as Windows reads it) when the image
// has one, else the primary descriptor's. Trailing
// blanks are left out; empty when the file holds no such descriptor. (A UDF disc's label comes
// from its mount.)
std::string discImageLabel(const std::string& image);

} // namespace platform::posix
