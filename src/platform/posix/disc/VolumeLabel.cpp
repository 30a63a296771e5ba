#include "platform/posix/disc/VolumeLabel.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>

namespace platform::posix {
namespace {

constexpr std::size_t kSector = 2048;
constexpr std::size_t kFirstDescriptor = 16;
// Far more descriptors than any disc has: a file of garbage ends the search here.
constexpr std::size_t kMostDescriptors = 64;
constexpr std::size_t kLabelOffset = 40;
constexpr std::size_t kLabelBytes = 32;

using Sector = std::array<unsigned char, kSector>;

std::optional<Sector> readSector(std::ifstream& file, std::size_t index) {
    Sector sector;
    file.seekg(static_cast<std::streamoff>(index * kSector));
    if (!file.read(reinterpret_cast<char*>(sector.data()), kSector))
        return std::nullopt;
    return sector;
}

void appendUtf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The primary descriptor's label: d-characters, which are ASCII.
std::string primaryLabel(const Sector& sector) {
    std::string label;
    for (std::size_t i = 0; i < kLabelBytes; ++i) {
        const unsigned char c = sector[kLabelOffset + i];
        label += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : ' ';
    }
    return withoutTrailingBlanks(label);
}

// Joliet's label: big-endian UCS-2; a surrogate or a control character stands as '?'.
std::string jolietLabel(const Sector& sector) {
    std::string label;
    for (std::size_t i = 0; i + 1 < kLabelBytes; i += 2) {
        const std::uint32_t code =
            (std::uint32_t{sector[kLabelOffset + i]} << 8) | sector[kLabelOffset + i + 1];
        if (code == 0)
            break;
        appendUtf8(label, code < 0x20 || (code >= 0xD800 && code < 0xE000) ? '?' : code);
    }
    return withoutTrailingBlanks(label);
}

bool isJoliet(const Sector& sector) {
    // The escape sequences of the three UCS-2 levels.
    return sector[88] == 0x25 && sector[89] == 0x2F &&
           (sector[90] == 0x40 || sector[90] == 0x43 || sector[90] == 0x45);
}

} // namespace

std::string discImageLabel(const std::string& image) {
    std::ifstream file(image, std::ios::binary);
    std::optional<std::string> primary;
    for (std::size_t index = kFirstDescriptor; index < kFirstDescriptor + kMostDescriptors;
         ++index) {
        const auto sector = readSector(file, index);
        if (!sector || std::string(reinterpret_cast<const char*>(sector->data()) + 1, 5) != "CD001")
            break;
        const unsigned char type = (*sector)[0];
        if (type == 255)
            break;
        if (type == 2 && isJoliet(*sector))
            return jolietLabel(*sector);
        if (type == 1 && !primary)
            primary = primaryLabel(*sector);
    }
    return primary.value_or(std::string());
}

} // namespace platform::posix
