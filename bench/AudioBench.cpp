// Decoding throughput of the transcoder against the system's own decoders (oggdec, speexdec),
// measured in one run on the same minutes-long files, and our peak resident memory after a
// short and after a long file: the two should match, as the decoders keep no whole-file buffer.
#include "audio/AudioTranscoder.h"
#include "platform/Process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool runTool(const std::string& tool, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{tool};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return platform::spawnAndWait("/usr/bin/" + tool, argv) == 0;
}

// Speech repeated to the length asked, with a sweeping tone as second channel when asked.
fs::path makeSource(const fs::path& folder, int seconds, int rate, int channels) {
    const auto speech = folder / "speech.wav";
    if (!fs::exists(speech)) {
        runTool("espeak-ng", {"-w", speech.string(),
                              "Welcome to the installation. The sounds of the game are being "
                              "decoded and copied to your computer. Please wait a moment."});
    }
    const std::string name =
        std::to_string(seconds) + "s-" + std::to_string(rate) + "-" + std::to_string(channels);
    const auto mono = folder / ("mono-" + name + ".wav");
    runTool("sox", {speech.string(), "-r", std::to_string(rate), mono.string(), "repeat",
                    std::to_string(seconds / 5), "trim", "0", std::to_string(seconds)});
    if (channels == 1) {
        return mono;
    }
    const auto tone = folder / ("tone-" + name + ".wav");
    runTool("sox", {"-n", "-r", std::to_string(rate), "-c", "1", "-b", "16", tone.string(), "synth",
                    std::to_string(seconds), "sine", "200-2000", "vol", "0.3"});
    const auto stereo = folder / ("stereo-" + name + ".wav");
    runTool("sox", {"-M", mono.string(), tone.string(), stereo.string()});
    return stereo;
}

double timeOf(const std::function<bool()>& run) {
    const auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "a decoder failed\n");
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// Runs the two decoders in turn, so that both meet the same load from other work, and keeps
// the best time of each (in seconds): the best is the least disturbed.
std::pair<double, double> bestTimes(const std::function<bool()>& ours,
                                    const std::function<bool()>& peer, int repeats) {
    double bestOurs = 1e30;
    double bestPeer = 1e30;
    for (int i = 0; i < repeats; ++i) {
        bestPeer = std::min(bestPeer, timeOf(peer));
        bestOurs = std::min(bestOurs, timeOf(ours));
    }
    return {bestOurs, bestPeer};
}

// Linux reports the peak in /proc/self/status; elsewhere the figure is unknown (0).
long peakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    }
    return 0;
}

struct Codec {
    const char* name;
    const char* extension;
    std::function<bool(const fs::path&, const fs::path&)> encode;
    std::function<bool(const fs::path&, const fs::path&)> ours;
    std::function<bool(const fs::path&, const fs::path&)> peer;
    int rate;
    int channels;
};

void measure(const Codec& codec, const fs::path& folder, int seconds, int repeats) {
    const auto compressed = folder / (std::string(codec.name) + codec.extension);
    const auto source = makeSource(folder, seconds, codec.rate, codec.channels);
    if (!codec.encode(source, compressed)) {
        std::printf("%s: cannot make the test file\n", codec.name);
        return;
    }
    const auto ourOutput = folder / "ours.wav";
    const auto peerOutput = folder / "peer.wav";
    codec.peer(compressed, peerOutput); // warms the file cache for both
    const auto [ours, peer] =
        bestTimes([&] { return codec.ours(compressed, ourOutput); },
                  [&] { return codec.peer(compressed, peerOutput); }, repeats);
    std::printf("%-7s %4d s of audio (%lld bytes): ours %.3f s, peer %.3f s, "
                "throughput ratio ours/peer %.3f\n",
                codec.name, seconds, static_cast<long long>(fs::file_size(compressed)), ours, peer,
                ours > 0 ? peer / ours : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 180;
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / ("audio-bench-" + std::to_string(random()));
    fs::create_directories(folder);
    AudioTranscoder transcoder;
    const Codec codecs[] = {
        {"vorbis", ".ogg",
         [](const fs::path& in, const fs::path& out) {
             return runTool("oggenc", {"-Q", "-o", out.string(), in.string()});
         },
         [&](const fs::path& in, const fs::path& out) {
             return transcoder.vorbisToWav(in.string(), out.string());
         },
         [](const fs::path& in, const fs::path& out) {
             return runTool("oggdec", {"-Q", "-o", out.string(), in.string()});
         },
         44100, 2},
        {"speex", ".spx",
         [](const fs::path& in, const fs::path& out) {
             return runTool("speexenc",
                            {"--wideband", "--nframes", "2", in.string(), out.string()});
         },
         [&](const fs::path& in, const fs::path& out) {
             return transcoder.speexToWav(in.string(), out.string());
         },
         [](const fs::path& in, const fs::path& out) {
             return runTool("speexdec", {in.string(), out.string()});
         },
         16000, 1},
    };
    for (const Codec& codec : codecs) {
        measure(codec, folder, 10, 1);
    }
    const long shortPeak = peakResidentKilobytes();
    for (const Codec& codec : codecs) {
        measure(codec, folder, seconds, 9);
    }
    std::printf("peak resident memory: %ld kB after the 10 s files, %ld kB after the %d s files\n",
                shortPeak, peakResidentKilobytes(), seconds);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
