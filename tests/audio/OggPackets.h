#pragma once
// Takes an Ogg stream apart into packets and puts packets back together as a stream, so that
// tests can make streams no encoder writes (edited headers, extra header packets, and so on).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct OggPacket {
    std::string bytes;
    std::int64_t granule = 0;
    bool endOfStream = false;
};

// The packets of the first logical stream of a file.
std::vector<OggPacket> readOggPackets(const std::filesystem::path& path);

// One logical stream with the serial number given; each of the first headerPackets packets
// gets a page of its own, as encoders do.
std::string writeOggStream(const std::vector<OggPacket>& packets, int serial,
                           int headerPackets = 2);

// Little-endian 32-bit field of a packet, as the Speex header keeps its numbers.
void setPacketField(OggPacket& packet, std::size_t offset, std::int32_t value);

// The pages of a stream, each as its bytes, in file order.
std::vector<std::string> splitOggPages(const std::string& bytes);
