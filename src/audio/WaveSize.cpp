#include "audio/WaveSize.h"

#include "audio/HeaderLimits.h"

#include <ogg/ogg.h>
#include <speex/speex.h>
#include <speex/speex_header.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint64_t kWaveHeaderBytes = 44;
constexpr std::uint64_t kBytesPerSample = 2;

// Finds the pages of a file handed over in pieces and hands each to visit, in file order, until
// visit returns false; the rest is then passed over, so that the source still reads to its end.
// Only an unfinished page is kept between pieces.
class PageReader {
public:
    using Visit = std::function<bool(ogg_page&)>;
    explicit PageReader(Visit visit) : visit(std::move(visit)) { ogg_sync_init(&sync); }
    ~PageReader() { ogg_sync_clear(&sync); }
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    void take(const unsigned char* bytes, std::size_t count) {
        // Fed to the sync in small pieces, so that its buffer stays at a page or two.
        constexpr std::size_t kPiece = 64 * 1024;
        for (std::size_t at = 0; going && at < count; at += kPiece) {
            const std::size_t length = std::min(kPiece, count - at);
            char* buffer = ogg_sync_buffer(&sync, static_cast<long>(length));
            if (buffer == nullptr) {
                going = false;
                break;
            }
            std::memcpy(buffer, bytes + at, length);
            ogg_sync_wrote(&sync, static_cast<long>(length));
            ogg_page page;
            int result;
            while (going && (result = ogg_sync_pageout(&sync, &page)) != 0)
                if (result > 0)
                    going = visit(page);
        }
    }

private:
    Visit visit;
    ogg_sync_state sync;
    bool going = true;
};

// Runs a measure's page visits over the source's pieces; nothing when the source fails.
template <typename Measure>
std::optional<std::uint64_t> measurePages(const WavePieceSource& source) {
    Measure measure;
    PageReader reader([&measure](ogg_page& page) { return measure.visit(page); });
    const bool whole = source([&reader](const unsigned char* bytes, std::size_t count) {
        reader.take(bytes, count);
        return true;
    });
    if (!whole)
        return std::nullopt;
    return measure.result();
}

WavePieceSource inMemory(const unsigned char* data, std::size_t size) {
    return [data, size](const WavePieceTaker& take) { return size == 0 || take(data, size); };
}

// Channels of a Vorbis identification header (the first page of a link holds it alone).
int vorbisChannels(const ogg_page& page) {
    if (page.body_len < 30 || page.body[0] != 1 || std::memcmp(page.body + 1, "vorbis", 6) != 0)
        return 0;
    return page.body[11];
}

// Rate of the same header, which a page too short for one never reaches.
long long vorbisRate(const ogg_page& page) {
    long long rate = 0;
    for (int i = 3; i >= 0; --i)
        rate = rate << 8 | page.body[12 + i];
    return rate;
}

// Links follow one another; each ends at its last page's granule position, counted in samples
// per channel from the link's start.
class VorbisMeasure {
public:
    bool visit(ogg_page& page) {
        if (ogg_page_bos(&page)) {
            serial = ogg_page_serialno(&page);
            samples += static_cast<std::uint64_t>(lastGranule) * static_cast<unsigned>(channels);
            lastGranule = 0;
            channels = vorbisChannels(page);
            valid = channels > 0;
            // The decoder takes its format from the first link and refuses what no WAVE holds.
            if (valid && !found)
                valid = audio::waveFormatRefusal(vorbisRate(page), channels).empty();
            found = found || valid;
            return valid;
        }
        if (ogg_page_serialno(&page) == serial && ogg_page_granulepos(&page) > 0)
            lastGranule = ogg_page_granulepos(&page);
        return true;
    }

    std::optional<std::uint64_t> result() const {
        if (!found || !valid)
            return std::nullopt;
        const std::uint64_t all =
            samples + static_cast<std::uint64_t>(lastGranule) * static_cast<unsigned>(channels);
        return kWaveHeaderBytes + all * kBytesPerSample;
    }

private:
    std::uint64_t samples = 0;
    int channels = 0;
    bool found = false;
    bool valid = true;
    ogg_int64_t lastGranule = 0;
    int serial = 0;
};

class SpeexMeasure {
public:
    SpeexMeasure() = default;
    ~SpeexMeasure() {
        if (streamSetUp)
            ogg_stream_clear(&stream);
        if (header != nullptr)
            speex_header_free(header);
    }
    SpeexMeasure(const SpeexMeasure&) = delete;
    SpeexMeasure& operator=(const SpeexMeasure&) = delete;

    bool visit(ogg_page& page) {
        if (!streamSetUp) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            streamSetUp = true;
        }
        if (ogg_stream_pagein(&stream, &page) != 0)
            return true; // another stream's page: the decoder passes it over too
        ogg_packet packet;
        while (!ended && ogg_stream_packetout(&stream, &packet) == 1) {
            if (packets++ == 0) {
                header = speex_packet_to_header(reinterpret_cast<char*>(packet.packet),
                                                static_cast<int>(packet.bytes));
                if (header == nullptr)
                    return false;
                headerPackets += static_cast<std::uint64_t>(std::max(header->extra_headers, 0));
            } else if (packets > headerPackets) {
                // Every decoded frame reads at least its 5 bits of mode: a packet holds no more
                // frames than its bits allow, whatever its header promises.
                const std::uint64_t promised = static_cast<std::uint64_t>(
                    header->frames_per_packet <= 0 ? 1 : header->frames_per_packet);
                frames += std::min(promised, static_cast<std::uint64_t>(packet.bytes) * 8 / 5);
            }
            ended = packet.e_o_s != 0 && packets > 2;
        }
        // A packet that never ends would be gathered whole: no Speex packet comes near this.
        if (stream.body_fill - stream.body_returned > kPacketLimit) {
            endless = true;
            return false;
        }
        return !ended;
    }

    std::optional<std::uint64_t> result() const {
        if (header == nullptr || endless)
            return std::nullopt;
        const SpeexMode* mode = header->mode >= 0 && header->mode < SPEEX_NB_MODES
                                    ? speex_lib_get_mode(header->mode)
                                    : nullptr;
        // The decoder refuses what it cannot decode; such a stream gives no WAVE file.
        if (mode != nullptr && (header->speex_version_id > 1 ||
                                mode->bitstream_version != header->mode_bitstream_version))
            mode = nullptr;
        int frameSize = 0;
        if (mode != nullptr)
            speex_mode_query(mode, SPEEX_MODE_FRAME_SIZE, &frameSize);
        const int channels = header->nb_channels;
        if (frameSize <= 0 || !audio::speexHeaderRefusal(*header).empty())
            return std::nullopt;
        return kWaveHeaderBytes + frames * static_cast<std::uint64_t>(frameSize) *
                                      static_cast<std::uint64_t>(channels) * kBytesPerSample;
    }

private:
    static constexpr long kPacketLimit = 16L << 20;

    ogg_stream_state stream;
    bool streamSetUp = false;
    SpeexHeader* header = nullptr;
    std::uint64_t packets = 0;
    std::uint64_t frames = 0; // of the audio packets
    std::uint64_t headerPackets = 2;
    bool ended = false;
    bool endless = false;
};

} // namespace

std::optional<std::uint64_t> vorbisWaveBytes(const WavePieceSource& source) {
    return measurePages<VorbisMeasure>(source);
}

std::optional<std::uint64_t> vorbisWaveBytes(const unsigned char* data, std::size_t size) {
    return vorbisWaveBytes(inMemory(data, size));
}

std::optional<std::uint64_t> speexWaveBytes(const WavePieceSource& source) {
    return measurePages<SpeexMeasure>(source);
}

std::optional<std::uint64_t> speexWaveBytes(const unsigned char* data, std::size_t size) {
    return speexWaveBytes(inMemory(data, size));
}
