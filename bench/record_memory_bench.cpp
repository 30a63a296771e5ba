// Peak resident memory of sndpack and setupcheck on a sound record of about 600 MB and one of
// about 2.2 GB, against their own base and against oggdec decoding the same stream, in one run.
// The tools read records in pieces, so the peaks should not grow with the record.
//
// The record is one logical Vorbis stream made from one encoded minute of noise (quality 10, so
// that few samples make many bytes): its audio packets over and over behind one set of headers,
// paged again with granule positions counted from the block sizes. Encoding gigabytes of sound
// would take far longer, and copies of the file one after the other would be a chained stream
// of hundreds of links, whose per-link tables (in oggdec's reader as in ours) would be measured
// instead of the record's size.
//
// Usage: record_memory_bench [MEGABYTES...]   (default: 600 2200); needs sox, oggenc, oggdec,
// GNU time and free space under /tmp for the record twice and its WAVE file (about 5 times the
// record) at once. Some ten minutes for the default sizes, most of it decoding.
#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
    int status = -1;
    long peakKiB = 0;
    double seconds = 0;
};

// Runs a program with its output sent to the null device under GNU time, whose own few hundred
// KiB are all the program starts from (a child forked from this program would count this
// program's pages in its peak): its exit status, peak resident memory and wall time.
Run run(const std::vector<std::string>& words, const fs::path& temp) {
    Run result;
    const fs::path peak = temp / "peak.txt";
    std::vector<std::string> all{"/usr/bin/time", "-f", "%M", "-o", peak.string()};
    all.insert(all.end(), words.begin(), words.end());
    std::fflush(stdout);
    std::fflush(stderr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& word : all)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return result;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    // GNU time writes "Command exited with non-zero status N" before the number then.
    std::ifstream in(peak);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
            result.peakKiB = std::stol(line);
    return result;
}

bool shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The packets of an Ogg Vorbis file's stream, headers first.
std::vector<std::string> packetsOf(const std::string& bytes) {
    std::vector<std::string> packets;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    ogg_stream_state stream;
    bool started = false;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!started)
            ogg_stream_init(&stream, ogg_page_serialno(&page));
        started = true;
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1)
            packets.emplace_back(reinterpret_cast<char*>(packet.packet),
                                 static_cast<std::size_t>(packet.bytes));
    }
    if (started)
        ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
    return packets;
}

ogg_packet asPacket(const std::string& bytes, ogg_int64_t number) {
    ogg_packet packet{};
    packet.packet = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
    packet.bytes = static_cast<long>(bytes.size());
    packet.b_o_s = number == 0;
    packet.packetno = number;
    return packet;
}

// An archive of one Vorbis record of about `bytes`: one logical stream whose audio packets are
// the encoded minute's, over and over, with their granule positions counted on from each block
// size, as an encoder would have written them. Its length, or 0 on failure.
std::uint64_t writeArchive(const fs::path& path, const std::vector<std::string>& packets,
                           std::uint64_t copyBytes, std::uint64_t bytes) {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    bool headers = packets.size() > 3;
    for (int i = 0; headers && i < 3; ++i) {
        ogg_packet packet = asPacket(packets[i], i);
        headers = vorbis_synthesis_headerin(&info, &comment, &packet) == 0;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string name = "theme.ogg";
    const std::string header(12, '\0');
    out << header << name;
    std::uint64_t written = 0;
    const auto writePage = [&](const ogg_page& page) {
        out.write(reinterpret_cast<const char*>(page.header), page.header_len);
        out.write(reinterpret_cast<const char*>(page.body), page.body_len);
        written += static_cast<std::uint64_t>(page.header_len + page.body_len);
    };
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    ogg_page page;
    ogg_int64_t number = 0;
    for (int i = 0; headers && i < 3; ++i) {
        ogg_packet packet = asPacket(packets[i], number++);
        ogg_stream_packetin(&stream, &packet);
        if (i == 0 || i == 2)
            while (ogg_stream_flush(&stream, &page))
                writePage(page);
    }
    ogg_int64_t granule = 0;
    long previous = 0;
    for (bool finalCopy = false; headers && !finalCopy;) {
        finalCopy = written + copyBytes >= bytes;
        for (std::size_t i = 3; i < packets.size(); ++i) {
            ogg_packet packet = asPacket(packets[i], number++);
            const long block = vorbis_packet_blocksize(&info, &packet);
            if (block > 0) {
                if (previous > 0)
                    granule += previous / 4 + block / 4;
                previous = block;
            }
            packet.granulepos = granule;
            packet.e_o_s = finalCopy && i + 1 == packets.size();
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page))
                writePage(page);
        }
    }
    while (ogg_stream_flush(&stream, &page))
        writePage(page);
    ogg_stream_clear(&stream);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    // The record's header, now that the length is known.
    out.seekp(0);
    for (const std::uint32_t value :
         {0u, static_cast<std::uint32_t>(written), static_cast<std::uint32_t>(name.size())})
        for (int shift = 0; shift < 32; shift += 8)
            out.put(static_cast<char>(value >> shift & 0xFF));
    return headers && out && written <= 0xFFFFFFFFull ? written : 0;
}

void printRow(const char* what, const Run& result, long baseKiB, long peerKiB) {
    std::printf("  %-22s %6d %9.1f %10.1f %12.1f %9.2f %8.1f\n", what, result.status,
                result.peakKiB / 1024.0, (result.peakKiB - baseKiB) / 1024.0,
                (result.peakKiB - peerKiB) / 1024.0,
                peerKiB > 0 ? static_cast<double>(result.peakKiB) / peerKiB : 0.0, result.seconds);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::uint64_t> megabytes;
    for (int i = 1; i < argc; ++i)
        megabytes.push_back(std::strtoull(argv[i], nullptr, 10));
    if (megabytes.empty())
        megabytes = {600, 2200};
    const fs::path bin = SETUP_BIN_DIR;
    const fs::path demo = fs::path(SETUP_BUILD_DIR_DEFAULT) / "medium";
    const std::string sndpack = (bin / "sndpack").string();
    const std::string setupcheck = (bin / "setupcheck").string();
    if (!fs::exists(demo / "install.ini") || !fs::exists(sndpack)) {
        std::fprintf(stderr,
                     "record_memory_bench: build demo_medium, sndpack and setupcheck first\n");
        return 1;
    }
    char pattern[] = "/tmp/record-memory-bench.XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    const fs::path temp = pattern;
    struct Cleanup {
        fs::path path;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } cleanup{temp};

    const fs::path one = temp / "one.ogg";
    if (!shell("cd '" + temp.string() +
               "' && sox -R -q -n -r 44100 -c 2 -b 16 noise.wav synth 60 whitenoise vol 0.5 && "
               "oggenc -Q -q 10 -o one.ogg noise.wav && rm noise.wav")) {
        std::fprintf(stderr, "record_memory_bench: sox or oggenc failed\n");
        return 1;
    }
    const std::string stream = readAll(one);
    const std::vector<std::string> packets = packetsOf(stream);
    const fs::path medium = temp / "medium";
    fs::copy(demo, medium, fs::copy_options::recursive);
    const fs::path archive = medium / "music/music.snd";

    // The programs' base: the same commands on the demo's own small archive and on one link.
    const long sndpackBase = run({sndpack, "verify", archive.string()}, temp).peakKiB;
    const long setupcheckBase = run({setupcheck, medium.string()}, temp).peakKiB;
    const long oggdecBase =
        run({"/usr/bin/oggdec", "-Q", "-o", "/dev/null", one.string()}, temp).peakKiB;
    std::printf("peak resident memory in MiB; base: sndpack %.1f, setupcheck %.1f (the demo's "
                "archive), oggdec %.1f (one link)\n",
                sndpackBase / 1024.0, setupcheckBase / 1024.0, oggdecBase / 1024.0);

    for (const std::uint64_t size : megabytes) {
        const std::uint64_t data = writeArchive(archive, packets, stream.size(), size * 1000000);
        if (data == 0) {
            std::fprintf(stderr, "record_memory_bench: %llu MB is no record size\n",
                         static_cast<unsigned long long>(size));
            return 1;
        }
        const fs::path out = temp / "out";
        fs::remove_all(out);
        const Run list = run({sndpack, "list", archive.string()}, temp);
        const Run extract = run({sndpack, "extract", archive.string(), out.string()}, temp);
        const Run oggdec =
            run({"/usr/bin/oggdec", "-Q", "-o", "/dev/null", (out / "theme.ogg").string()}, temp);
        fs::remove_all(out);
        const Run verify = run({sndpack, "verify", archive.string()}, temp);
        const Run check = run({setupcheck, medium.string()}, temp);
        std::printf("\nrecord of %.1f MB (the minute's packets %llu times over)\n", data / 1e6,
                    static_cast<unsigned long long>((data + stream.size() / 2) / stream.size()));
        std::printf("  %-22s %6s %9s %10s %12s %9s %8s\n", "program", "status", "peak", "over base",
                    "over oggdec", "/ oggdec", "seconds");
        printRow("sndpack list", list, sndpackBase, oggdec.peakKiB);
        printRow("sndpack extract", extract, sndpackBase, oggdec.peakKiB);
        printRow("sndpack verify", verify, sndpackBase, oggdec.peakKiB);
        printRow("setupcheck", check, setupcheckBase, oggdec.peakKiB);
        printRow("oggdec", oggdec, oggdecBase, oggdec.peakKiB);
    }
    return 0;
}
