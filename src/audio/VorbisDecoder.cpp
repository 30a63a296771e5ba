// Ogg Vorbis to WAVE: the library decodes to 16-bit signed little-endian PCM, written unchanged.
#include "audio/AudioTranscoder.h"
#include "audio/DecoderNotes.h"
#include "audio/HeaderLimits.h"
#include "audio/OggStreamEnd.h"
#include "audio/OutputFile.h"
#include "audio/WavWriter.h"
#include "platform/Files.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace {

constexpr int kPcmPieceBytes = 4096;

void describeStream(OggVorbis_File& decoder, const vorbis_info* info) {
    const vorbis_comment* comment = ov_comment(&decoder, -1);
    for (int i = 0; comment != nullptr && i < comment->comments; ++i) {
        audio::note("%s\n", comment->user_comments[i]);
    }
    audio::note("\nBitstream is %d channel, %ldHz\n", info->channels, info->rate);
    audio::note("Decoded length: %lld samples\n",
                 static_cast<long long>(ov_pcm_total(&decoder, -1)));
    if (comment != nullptr && comment->vendor != nullptr) {
        audio::note("Encoded by: %s\n\n", comment->vendor);
    }
}

// Decodes every piece into the output. A gap in the data is skipped as the library reports it.
// Any other error ends the conversion: the library is not safe to call again after one (a link
// with damaged set-up headers makes the next call divide by zero). So does a failed write.
bool decodeAll(OggVorbis_File& decoder, OutputFile& output, const AudioTranscoder& transcoder) {
    char pcmBuffer[kPcmPieceBytes];
    int section = 0;
    for (;;) {
        if (transcoder.stopped()) {
            return false;
        }
        const long n = ov_read(&decoder, pcmBuffer, kPcmPieceBytes, 0, 2, 1, &section);
        if (n == 0) {
            return true;
        }
        if (n == OV_HOLE) {
            audio::note("Warning: hole in data\n");
            continue;
        }
        if (n < 0) {
            audio::note("Vorbis stream error %ld\n", n);
            return false;
        }
        if (!output.writeSamples(pcmBuffer, static_cast<std::size_t>(n))) {
            return false;
        }
    }
}

bool convertOpened(OggVorbis_File& decoder, std::FILE* input, const std::string& outputPath,
                   const AudioTranscoder& transcoder) {
    // The header describes the first link only; later links may differ.
    const vorbis_info* info = ov_info(&decoder, -1);
    describeStream(decoder, info);
    if (const std::string why = audio::waveFormatRefusal(info->rate, info->channels);
        !why.empty()) {
        audio::note("Cannot decode the stream: %s\n", why.c_str());
        return false;
    }
    OutputFile output(transcoder);
    if (!output.adopt(platform::openFile(outputPath, "wb"), outputPath)) {
        audio::note("Cannot create the output file %s\n", outputPath.c_str());
        return false;
    }
    wav::writeHeader(output.file(), static_cast<int>(info->rate), info->channels);
    if (!decodeAll(decoder, output, transcoder)) {
        return false;
    }
    // The library ends a stream at a read error as at its end; only the stream can tell.
    if (std::ferror(input) != 0) {
        audio::note("Read error in the input file\n");
        return false;
    }
    return output.finish(true);
}

} // namespace

bool AudioTranscoder::vorbisToWav(const std::string& inputPath, const std::string& outputPath) {
    std::FILE* input = platform::openFile(inputPath, "rb");
    if (input == nullptr) {
        audio::note("Cannot open the input file %s\n", inputPath.c_str());
        return false;
    }
    // The library ends a cut stream as quietly as a whole one.
    if (!everyOggStreamEnds(input, [this] { return stopped(); })) {
        audio::note("The stream ends before its last page\n");
        std::fclose(input);
        return false;
    }
    OggVorbis_File decoder;
    if (ov_open(input, &decoder, nullptr, 0) < 0) {
        audio::note("Input does not appear to be an Ogg bitstream.\n");
        // The library leaves the input open when it refuses it.
        std::fclose(input);
        return false;
    }
    const bool converted = convertOpened(decoder, input, outputPath, *this);
    ov_clear(&decoder); // Also closes the input.
    return converted;
}
