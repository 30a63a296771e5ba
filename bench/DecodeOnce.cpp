// decode_once vorbis|speex INPUT OUTPUT: one conversion with the transcoder, nothing else, so
// that an instruction counter sees only the decoding (bench/audio-instructions.sh).
#include "audio/AudioTranscoder.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: decode_once vorbis|speex INPUT OUTPUT\n");
        return 2;
    }
    AudioTranscoder transcoder;
    const std::string codec = argv[1];
    const bool done = codec == "vorbis" ? transcoder.vorbisToWav(argv[2], argv[3])
                                        : transcoder.speexToWav(argv[2], argv[3]);
    return done ? 0 : 1;
}
