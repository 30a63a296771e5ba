// The header packet of an Ogg Speex stream: which decoder it needs and how its frames come.
#include "audio/SpeexStream.h"

#include "audio/DecoderNotes.h"
#include "audio/HeaderLimits.h"
#include <cstdio>

#include <speex/speex.h>
#include <speex/speex_callbacks.h>
#include <speex/speex_header.h>

namespace {

const SpeexMode* acceptedMode(const SpeexHeader& header) {
    if (header.mode < 0 || header.mode >= SPEEX_NB_MODES) {
        audio::note("Mode number %d does not (yet/any longer) exist in this version\n",
                     header.mode);
        return nullptr;
    }
    const SpeexMode* mode = speex_mode_list[header.mode];
    if (header.speex_version_id > 1) {
        audio::note(
                     "This file was encoded with Speex bit-stream version %d, which I "
                     "don't know how to decode\n",
                     header.speex_version_id);
        return nullptr;
    }
    if (mode->bitstream_version != header.mode_bitstream_version) {
        audio::note(
                     "The file was encoded with a %s version of Speex (bit-stream %d, ours %d).\n",
                     mode->bitstream_version < header.mode_bitstream_version ? "newer" : "older",
                     header.mode_bitstream_version, mode->bitstream_version);
        return nullptr;
    }
    return mode;
}

bool acceptedLayout(const SpeexHeader& header, int frameSize, int maxFrameValues) {
    if (const std::string why = audio::speexHeaderRefusal(header); !why.empty()) {
        audio::note("Cannot decode the stream: %s\n", why.c_str());
        return false;
    }
    if (frameSize <= 0 || frameSize > maxFrameValues / header.nb_channels) {
        audio::note("Cannot decode frames of %d samples\n", frameSize);
        return false;
    }
    return true;
}

void describeStream(const SpeexHeader& header, const SpeexMode& mode) {
    audio::note("Decoding %d Hz audio using %s mode (%s%s)", header.rate, mode.modeName,
                header.nb_channels == 1 ? "mono" : "stereo", header.vbr != 0 ? ", VBR" : "");
}

void* createDecoder(const SpeexHeader& header, const SpeexMode& mode, int enhancement,
                    int* frameSize, SpeexStereoState* stereoState) {
    void* decoder = speex_decoder_init(&mode);
    if (decoder == nullptr) {
        audio::note("Decoder initialization failed.\n");
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

SpeexStream::~SpeexStream() {
    if (decoder != nullptr) {
        speex_decoder_destroy(decoder);
    }
}

std::unique_ptr<SpeexStream> openSpeexStream(const ogg_packet& packet, int enhancement,
                                             int maxFrameValues) {
    SpeexHeader* header = speex_packet_to_header(reinterpret_cast<char*>(packet.packet),
                                                 static_cast<int>(packet.bytes));
    if (header == nullptr) {
        audio::note("Cannot read header\n");
        return nullptr;
    }
    auto stream = std::make_unique<SpeexStream>();
    const SpeexMode* mode = acceptedMode(*header);
    if (mode != nullptr) {
        stream->decoder =
            createDecoder(*header, *mode, enhancement, &stream->frameSize, &stream->stereoState);
    }
    const bool accepted = stream->decoder != nullptr &&
                          acceptedLayout(*header, stream->frameSize, maxFrameValues);
    if (accepted) {
        describeStream(*header, *mode);
        stream->sampleRate = header->rate;
        // A header that promises no frames per packet still has one.
        stream->framesPerPacket = header->frames_per_packet == 0 ? 1 : header->frames_per_packet;
        stream->channels = header->nb_channels;
        stream->extraHeaders = header->extra_headers;
    }
    speex_header_free(header);
    return accepted ? std::move(stream) : nullptr;
}
