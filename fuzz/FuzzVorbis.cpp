// Arbitrary bytes as an Ogg Vorbis file.
#include "FuzzFiles.h"
#include "audio/AudioTranscoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzFiles& files = prepareFuzzFiles(data, size);
    AudioTranscoder transcoder;
    checkOutcome(files, transcoder.vorbisToWav(files.input, files.output));
    return 0;
}
