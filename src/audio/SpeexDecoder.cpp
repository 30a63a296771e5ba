// Ogg Speex to WAVE: libogg gathers pages and packets, the Speex library decodes each frame to
// floating point, and the values are clamped and rounded to 16-bit samples here.
#include "audio/AudioTranscoder.h"
#include "audio/DecoderNotes.h"
#include "audio/OutputFile.h"
#include "audio/SampleConversion.h"
#include "audio/SpeexComments.h"
#include "audio/SpeexStream.h"
#include "audio/WavName.h"
#include "audio/WavWriter.h"
#include "platform/Files.h"

#include <bit>
#include <cstdint>
#include <speex/speex.h>

static_assert(std::endian::native == std::endian::little,
              "samples are written in memory order, which must be little-endian");

namespace {

constexpr int kReadPieceBytes = 200;
constexpr int kMaxFrameValues = 2000;
constexpr int kEnhancement = 1;

// One conversion: the Ogg and Speex states, the stream's layout from its header, and the
// output once the header has been accepted. Everything is released when it goes.
class SpeexConversion {
public:
    SpeexConversion(std::FILE* input, const std::string& outputPath,
                    const AudioTranscoder& transcoder);
    ~SpeexConversion();
    SpeexConversion(const SpeexConversion&) = delete;
    SpeexConversion& operator=(const SpeexConversion&) = delete;

    bool run();

private:
    bool readPiece();
    bool takePages();
    bool takePacket(ogg_packet& packet);
    bool acceptHeader(ogg_packet& packet);
    bool decodePacket(ogg_packet& packet);
    bool finish();

    std::FILE* input;
    std::string outputPath;
    const AudioTranscoder& transcoder;
    OutputFile output;
    ogg_sync_state sync{};
    ogg_stream_state stream{};
    bool streamSetUp = false;
    SpeexBits bits{};
    std::unique_ptr<SpeexStream> speex; // once the header is accepted
    std::int64_t packetCount = 0;
    bool endOfStream = false;
    bool failed = false;
    float frame[kMaxFrameValues] = {};
    std::int16_t samples[kMaxFrameValues] = {};
};

SpeexConversion::SpeexConversion(std::FILE* input, const std::string& outputPath,
                                 const AudioTranscoder& transcoder)
    : input(input), outputPath(outputPath), transcoder(transcoder), output(transcoder) {
    ogg_sync_init(&sync);
    speex_bits_init(&bits);
}

SpeexConversion::~SpeexConversion() {
    speex_bits_destroy(&bits);
    ogg_sync_clear(&sync);
    if (streamSetUp) {
        ogg_stream_clear(&stream);
    }
    std::fclose(input);
}

// Reads the whole input, then completes the output. After the end-of-stream packet the rest of
// the input is still read, though no packet is taken from it.
bool SpeexConversion::run() {
    while (!failed && std::feof(input) == 0) {
        failed = transcoder.stopped() || !readPiece() || !takePages();
    }
    return !failed && finish();
}

bool SpeexConversion::readPiece() {
    char* buffer = ogg_sync_buffer(&sync, kReadPieceBytes);
    const std::size_t count = std::fread(buffer, 1, kReadPieceBytes, input);
    ogg_sync_wrote(&sync, static_cast<long>(count));
    if (std::ferror(input) != 0) {
        audio::note("Read error in the input file\n");
        return false;
    }
    return true;
}

// Pages of any other logical stream are refused by the stream state, so only the first
// stream is decoded.
bool SpeexConversion::takePages() {
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!streamSetUp) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            streamSetUp = true;
        }
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (!endOfStream && ogg_stream_packetout(&stream, &packet) == 1) {
            if (!takePacket(packet)) {
                return false;
            }
        }
    }
    return true;
}

// Packet 0 is the header, 1 the comment, then the extra headers, then audio.
bool SpeexConversion::takePacket(ogg_packet& packet) {
    const std::int64_t number = packetCount++;
    if (packet.e_o_s != 0) {
        endOfStream = true;
    }
    if (number == 0) {
        return acceptHeader(packet);
    }
    if (number == 1) {
        listSpeexComments(packet.packet, static_cast<std::size_t>(packet.bytes));
        return true;
    }
    if (number - 1 <= speex->extraHeaders) {
        return true;
    }
    return decodePacket(packet);
}

bool SpeexConversion::acceptHeader(ogg_packet& packet) {
    speex = openSpeexStream(packet, kEnhancement, kMaxFrameValues);
    if (speex == nullptr) {
        return false;
    }
    return output.adopt(wav::openOutput(outputPath, speex->sampleRate, speex->channels),
                        outputPath);
}

// Decodes up to framesPerPacket frames; a frame that ends the stream, is damaged or reads past
// the packet drops the rest of the packet.
bool SpeexConversion::decodePacket(ogg_packet& packet) {
    speex_bits_read_from(&bits, reinterpret_cast<char*>(packet.packet),
                         static_cast<int>(packet.bytes));
    const std::size_t values = static_cast<std::size_t>(speex->frameSize) * speex->channels;
    for (int i = 0; i < speex->framesPerPacket; ++i) {
        const int result = speex_decode(speex->decoder, &bits, frame);
        if (result == -1) {
            break;
        }
        if (result == -2) {
            audio::note("Decoding error: corrupted stream?\n");
            break;
        }
        if (speex_bits_remaining(&bits) < 0) {
            audio::note("Decoding overflow: corrupted stream?\n");
            break;
        }
        if (speex->channels == 2) {
            speex_decode_stereo(frame, speex->frameSize, &speex->stereoState);
        }
        toPcmSamples(frame, samples, values);
        if (!output.writeSamples(samples, values * sizeof samples[0])) {
            return false;
        }
    }
    return true;
}

bool SpeexConversion::finish() {
    if (!output.isOpen()) {
        audio::note("No Speex stream found in the input\n");
        return false;
    }
    // A stream cut short decodes as far as it goes; the sound would look complete but is not.
    if (!endOfStream) {
        audio::note("The stream ends before its last page\n");
        return false;
    }
    return output.finish(hasWavName(outputPath));
}

} // namespace

bool AudioTranscoder::speexToWav(const std::string& inputPath, const std::string& outputPath) {
    std::FILE* input = platform::openFile(inputPath, "rb");
    if (input == nullptr) {
        audio::note("Cannot open the input file %s\n", inputPath.c_str());
        return false;
    }
    SpeexConversion conversion(input, outputPath, *this);
    return conversion.run();
}
