#include "audio/SpeexComments.h"

#include "audio/DecoderNotes.h"
#include <cstdint>
#include <cstdio>

namespace {

// A reader of length-prefixed texts that refuses to run past the packet.
class CommentReader {
public:
    CommentReader(const unsigned char* packet, std::size_t size) : at(packet), left(size) {}

    bool readCount(std::uint32_t& count) {
        if (left < 4) {
            return false;
        }
        count = static_cast<std::uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16)) |
                (static_cast<std::uint32_t>(at[3]) << 24);
        at += 4;
        left -= 4;
        return true;
    }

    bool printText() {
        std::uint32_t length = 0;
        if (!readCount(length) || length > left) {
            return false;
        }
        audio::note("%.*s\n", static_cast<int>(length), reinterpret_cast<const char*>(at));
        at += length;
        left -= length;
        return true;
    }

private:
    const unsigned char* at;
    std::size_t left;
};

} // namespace

void listSpeexComments(const unsigned char* packet, std::size_t size) {
    CommentReader reader(packet, size);
    std::uint32_t count = 0;
    if (!reader.printText() || !reader.readCount(count)) {
        audio::note("Invalid/corrupted comments\n");
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!reader.printText()) {
            audio::note("Invalid/corrupted comments\n");
            return;
        }
    }
}
