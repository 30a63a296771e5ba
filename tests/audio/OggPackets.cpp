#include "audio/OggPackets.h"

#include "support/TempFolder.h"

#include <cstring>
#include <ogg/ogg.h>

std::vector<OggPacket> readOggPackets(const std::filesystem::path& path) {
    const std::string bytes = readWholeFile(path);
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    ogg_stream_state stream;
    bool started = false;
    std::vector<OggPacket> packets;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!started) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            started = true;
        }
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1) {
            packets.push_back({std::string(reinterpret_cast<char*>(packet.packet),
                                           static_cast<std::size_t>(packet.bytes)),
                               packet.granulepos, packet.e_o_s != 0});
        }
    }
    if (started) {
        ogg_stream_clear(&stream);
    }
    ogg_sync_clear(&sync);
    return packets;
}

namespace {

void appendPage(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header),
               static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

} // namespace

std::string writeOggStream(const std::vector<OggPacket>& packets, int serial, int headerPackets) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    std::string out;
    ogg_page page;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        ogg_packet packet{};
        packet.packet =
            reinterpret_cast<unsigned char*>(const_cast<char*>(packets[i].bytes.data()));
        packet.bytes = static_cast<long>(packets[i].bytes.size());
        packet.b_o_s = i == 0 ? 1 : 0;
        packet.e_o_s = packets[i].endOfStream ? 1 : 0;
        packet.granulepos = packets[i].granule;
        packet.packetno = static_cast<ogg_int64_t>(i);
        ogg_stream_packetin(&stream, &packet);
        const bool ownPage = static_cast<int>(i) < headerPackets;
        while (ownPage ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
            appendPage(out, page);
        }
    }
    while (ogg_stream_flush(&stream, &page)) {
        appendPage(out, page);
    }
    ogg_stream_clear(&stream);
    return out;
}

void setPacketField(OggPacket& packet, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        packet.bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

std::vector<std::string> splitOggPages(const std::string& bytes) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    std::vector<std::string> pages;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        std::string whole;
        appendPage(whole, page);
        pages.push_back(whole);
    }
    ogg_sync_clear(&sync);
    return pages;
}
