// The header packet of an Ogg Speex stream: which decoder it needs and how its frames come.
#include "audio/AudioTranscoder.h"

#include <speex/speex.h>
#include <speex/speex_callbacks.h>
#include <speex/speex_header.h>

namespace {

// The decoding buffers hold one frame of at most this many values, both channels counted.
constexpr int kMaxFrameValues = 2000;

const SpeexMode* acceptedMode(const SpeexHeader& header) {
    if (header.mode < 0 || header.mode >= SPEEX_NB_MODES) {
        std::fprintf(stderr, "Mode number %d does not (yet/any longer) exist in this version\n",
                     header.mode);
        return nullptr;
    }
    const SpeexMode* mode = speex_mode_list[header.mode];
    if (header.speex_version_id > 1) {
        std::fprintf(stderr,
                     "This file was encoded with Speex bit-stream version %d, which I "
                     "don't know how to decode\n",
                     header.speex_version_id);
        return nullptr;
    }
    if (mode->bitstream_version != header.mode_bitstream_version) {
        std::fprintf(stderr,
                     "The file was encoded with a %s version of Speex (bit-stream %d, ours %d).\n",
                     mode->bitstream_version < header.mode_bitstream_version ? "newer" : "older",
                     header.mode_bitstream_version, mode->bitstream_version);
        return nullptr;
    }
    return mode;
}

bool acceptedLayout(const SpeexHeader& header, int frameSize) {
    if (header.nb_channels != 1 && header.nb_channels != 2) {
        std::fprintf(stderr, "Cannot decode %d channels\n", header.nb_channels);
        return false;
    }
    if (frameSize <= 0 || frameSize > kMaxFrameValues / header.nb_channels) {
        std::fprintf(stderr, "Cannot decode frames of %d samples\n", frameSize);
        return false;
    }
    return true;
}

void describeStream(const SpeexHeader& header, const SpeexMode& mode) {
    std::fprintf(stderr, "Decoding %d Hz audio using %s mode", header.rate, mode.modeName);
    std::fprintf(stderr, header.nb_channels == 1 ? " (mono" : " (stereo");
    std::fprintf(stderr, header.vbr != 0 ? ", VBR)\n" : ")\n");
}

void* createDecoder(const SpeexHeader& header, const SpeexMode& mode, int enhancement,
                    int* frameSize, SpeexStereoState* stereoState) {
    void* decoder = speex_decoder_init(&mode);
    if (decoder == nullptr) {
        std::fprintf(stderr, "Decoder initialization failed.\n");
        return nullptr;
    }
    speex_decoder_ctl(decoder, SPEEX_SET_ENH, &enhancement);
    speex_decoder_ctl(decoder, SPEEX_GET_FRAME_SIZE, frameSize);
    // Registered for mono streams too: the channel count is not known to the decoder yet.
    SpeexCallback callback{};
    callback.callback_id = SPEEX_INBAND_STEREO;
    callback.func = speex_std_stereo_request_handler;
    callback.data = stereoState;
    speex_decoder_ctl(decoder, SPEEX_SET_HANDLER, &callback);
    int rate = header.rate;
    speex_decoder_ctl(decoder, SPEEX_SET_SAMPLING_RATE, &rate);
    return decoder;
}

} // namespace

void* AudioTranscoder::processSpeexHeader(ogg_packet* packet, int enhancement, int* frameSize,
                                          int* sampleRate, int* framesPerPacket, int* channels,
                                          SpeexStereoState* stereoState, int* extraHeaders) {
    SpeexHeader* header = speex_packet_to_header(reinterpret_cast<char*>(packet->packet),
                                                 static_cast<int>(packet->bytes));
    if (header == nullptr) {
        std::fprintf(stderr, "Cannot read header\n");
        return nullptr;
    }
    const SpeexMode* mode = acceptedMode(*header);
    void* decoder = nullptr;
    if (mode != nullptr) {
        decoder = createDecoder(*header, *mode, enhancement, frameSize, stereoState);
    }
    if (decoder != nullptr && !acceptedLayout(*header, *frameSize)) {
        speex_decoder_destroy(decoder);
        decoder = nullptr;
    }
    if (decoder != nullptr) {
        describeStream(*header, *mode);
        *sampleRate = header->rate;
        *framesPerPacket = header->frames_per_packet;
        *channels = header->nb_channels;
        *extraHeaders = header->extra_headers;
    }
    speex_header_free(header);
    return decoder;
}
