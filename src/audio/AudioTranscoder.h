#pragma once
// Turns one compressed sound file (Ogg Vorbis or Ogg Speex) into one 16-bit PCM WAVE file.
// Paths are drive paths, paths relative to the current folder, or native absolute paths.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include <ogg/ogg.h>
#include <speex/speex_stereo.h>

class AudioTranscoder {
public:
    virtual ~AudioTranscoder() = default;

    // True only when the whole stream was decoded and every write succeeded; on false no output
    // file is left behind. Conversions on different transcoders may run at once on different
    // threads when their paths are native ones.
    bool vorbisToWav(const std::string& inputPath, const std::string& outputPath);
    bool speexToWav(const std::string& inputPath, const std::string& outputPath);

    // A conversion under way gives up (false, no output file) soon after stop becomes true:
    // within a few milliseconds of sound, however long the stream.
    void stopWhen(const std::atomic<bool>* flag) { stop = flag; }
    bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }

    // Checks the first packet of a Speex stream and creates its decoder, set up for that stream;
    // fills in what the caller needs to decode and write it. Null when the header is refused:
    // not a Speex header, a mode or version this library cannot decode, a channel count other
    // than 1 or 2, or a frame too large for the caller's buffers.
    static void* processSpeexHeader(ogg_packet* packet, int enhancement, int* frameSize,
                                    int* sampleRate, int* framesPerPacket, int* channels,
                                    SpeexStereoState* stereoState, int* extraHeaders);

    // WavWriter: the 44-byte header with placeholder sizes, the output file (header only for a
    // name ending in ".wav" or ".WAV"), and the real sizes once the samples are in.
    static void writeHeader(std::FILE* output, int sampleRate, int channels);
    static std::FILE* openOutput(const std::string& outputPath, int sampleRate, int channels);
    static void fixSizes(std::FILE* output, std::uint32_t dataBytes);

private:
    const std::atomic<bool>* stop = nullptr;
};
