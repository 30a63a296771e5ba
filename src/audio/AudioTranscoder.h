#pragma once
// Turns one compressed sound file (Ogg Vorbis or Ogg Speex) into one 16-bit PCM WAVE file.
// Paths are drive paths, paths relative to the current folder, or native absolute paths.
#include <atomic>
#include <string>

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

    // After a false: whether writing the WAVE file failed for want of room on its disk.
    bool diskFull() const { return outOfRoom; }
    void noteDiskFull() const { outOfRoom = true; }

private:
    const std::atomic<bool>* stop = nullptr;
    mutable bool outOfRoom = false; // told by the output file, which sees the failing write
};
