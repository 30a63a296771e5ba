#include "OggCodec.h"

#include "copy/SoundArchiveRecord.h"
#include "words/ProgramWords.h"

namespace {
constexpr std::size_t kPageHeaderSize = 27;
constexpr unsigned char kBeginningOfStream = 0x02;
} // namespace

std::optional<std::uint32_t> detectOggCodec(const std::string& bytes, std::string& why) {
    if (bytes.size() < kPageHeaderSize || bytes.compare(0, 4, "OggS") != 0) {
        why = words::translate("not an Ogg file");
        return std::nullopt;
    }
    if (!(static_cast<unsigned char>(bytes[5]) & kBeginningOfStream)) {
        why = words::translate("an Ogg file that does not start with a stream's first page");
        return std::nullopt;
    }
    // The first packet of the stream starts after the page header and its segment table.
    const std::size_t packet = kPageHeaderSize + static_cast<unsigned char>(bytes[26]);
    if (packet > bytes.size()) {
        why = words::translate("an Ogg file cut short in its first page");
        return std::nullopt;
    }
    // compare() takes what is left when fewer bytes follow, which then does not match.
    if (bytes.compare(packet, 7, "\x01vorbis") == 0)
        return kCodecVorbis;
    if (bytes.compare(packet, 8, "Speex   ") == 0)
        return kCodecSpeex;
    why = words::translate("an Ogg stream that is neither Vorbis nor Speex");
    return std::nullopt;
}
