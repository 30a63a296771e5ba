#include "audio/HeaderLimits.h"

namespace audio {
namespace {

// Telephone speech is 8000 Hz and studio masters 192000 Hz; outside these limits a header's
// rate is a damaged field, and its WAVE file would play as noise, or not at all.
constexpr long long kLowestRate = 1000;
constexpr long long kHighestRate = 384000;
// As many channels as a Vorbis stream can carry; the WAVE header takes them all.
constexpr long long kMostChannels = 255;
// Encoders pack up to 10 frames in a packet and write no extra header packets. Far more extra
// headers pass the sound over as headers; far more frames make the installation's size, told
// from the header, count frames that are not there; fewer than none decode nothing.
constexpr long long kMostFramesPerPacket = 64;
constexpr long long kMostExtraHeaders = 16;

// "a rate of 0 Hz in the header, outside 1000 to 384000 Hz"
std::string outside(const std::string& stated, long long lowest, long long highest,
                    const char* unit) {
    return stated + " in the header, outside " + std::to_string(lowest) + " to " +
           std::to_string(highest) + unit;
}

} // namespace

std::string waveFormatRefusal(long long sampleRate, long long channels) {
    if (sampleRate < kLowestRate || sampleRate > kHighestRate)
        return outside("a rate of " + std::to_string(sampleRate) + " Hz", kLowestRate, kHighestRate,
                       " Hz");
    if (channels < 1 || channels > kMostChannels)
        return outside(std::to_string(channels) + " channels", 1, kMostChannels, "");
    return {};
}

std::string speexHeaderRefusal(const SpeexHeader& header) {
    if (header.nb_channels != 1 && header.nb_channels != 2)
        return std::to_string(header.nb_channels) + " channels in the header, neither 1 nor 2";
    if (std::string why = waveFormatRefusal(header.rate, header.nb_channels); !why.empty())
        return why;
    // 0 frames per packet is read as 1.
    if (header.frames_per_packet < 0 || header.frames_per_packet > kMostFramesPerPacket)
        return outside(std::to_string(header.frames_per_packet) + " frames per packet", 0,
                       kMostFramesPerPacket, "");
    if (header.extra_headers < 0 || header.extra_headers > kMostExtraHeaders)
        return outside(std::to_string(header.extra_headers) + " extra header packets", 0,
                       kMostExtraHeaders, "");
    return {};
}

} // namespace audio
