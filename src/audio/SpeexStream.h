#pragma once
// The decoder that one Ogg Speex stream needs, set up from the stream's first packet, and how
// the stream's frames come.
#include <memory>

#include <ogg/ogg.h>
#include <speex/speex_stereo.h>

struct SpeexStream {
    ~SpeexStream();
    SpeexStream() = default;
    SpeexStream(const SpeexStream&) = delete;
    SpeexStream& operator=(const SpeexStream&) = delete;

    void* decoder = nullptr; // the library's decoder state, destroyed with the stream
    SpeexStereoState stereoState = SPEEX_STEREO_STATE_INIT; // the decoder writes it: stays put
    int frameSize = 0;
    int sampleRate = 0;
    int framesPerPacket = 1;
    int channels = 0;
    int extraHeaders = 0;
};

// Null when the header is refused: not a Speex header, a mode or version this library cannot
// decode, a layout that HeaderLimits.h refuses, or a frame too large for the conversion's buffers
// (maxFrameValues, both channels counted).
std::unique_ptr<SpeexStream> openSpeexStream(const ogg_packet& header, int enhancement,
                                             int maxFrameValues);
