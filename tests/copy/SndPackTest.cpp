// The archive packer as product makers run it.
#include "SoundFixtures.h"
#include "audio/OggPackets.h"
#include "copy/SoundArchiveRecord.h"
#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace {

class SndPackTest : public testing::Test {
protected:
    // Runs sndpack with the arguments in the temporary folder; its exit status, and its output
    // (standard output and error together) in output.
    int sndpack(const std::string& arguments) {
        std::vector<std::string> words;
        std::istringstream split(arguments);
        for (std::string word; split >> word;)
            words.push_back(word);
        ToolRun run = runTool(toolPath(), words, temp.path());
        output = std::move(run.output);
        return run.status;
    }

    static std::filesystem::path toolPath() {
        // ctest names the tool; run by hand from the build's test folder, it is in bin/.
        const char* tool = std::getenv("SNDPACK");
        return tool ? std::filesystem::path(tool) : std::filesystem::absolute("../../bin/sndpack");
    }

    TempFolder temp;
    std::string output;
};

TEST_F(SndPackTest, PackListExtractAndVerifyRoundTrip) {
    temp.write("in/Theme.ogg", vorbisBytes());
    temp.write("in/hello.spx", speexBytes());
    ASSERT_EQ(sndpack("pack music.snd in/Theme.ogg in/hello.spx"), 0) << output;
    EXPECT_EQ(readWholeFile(temp / "music.snd"),
              encodeRecord(kCodecVorbis, "Theme.ogg", vorbisBytes()) +
                  encodeRecord(kCodecSpeex, "hello.spx", speexBytes()));

    ASSERT_EQ(sndpack("list music.snd"), 0) << output;
    EXPECT_NE(output.find("0 vorbis"), std::string::npos) << output;
    EXPECT_NE(output.find(std::to_string(vorbisBytes().size())), std::string::npos) << output;
    EXPECT_NE(output.find("1 speex"), std::string::npos) << output;
    EXPECT_NE(output.find("hello.spx"), std::string::npos) << output;

    ASSERT_EQ(sndpack("extract music.snd out"), 0) << output;
    EXPECT_EQ(readWholeFile(temp / "out/Theme.ogg"), vorbisBytes());
    EXPECT_EQ(readWholeFile(temp / "out/hello.spx"), speexBytes());

    EXPECT_EQ(sndpack("verify music.snd"), 0) << output;
    EXPECT_NE(output.find("2 records, 0 failed"), std::string::npos) << output;
}

// A record of more than one read piece goes through every command whole, read in pieces.
TEST_F(SndPackTest, RecordsLargerThanAPieceRoundTrip) {
    const std::string& large = largeVorbisBytes();
    ASSERT_GT(large.size(), std::size_t{1} << 20);
    temp.write("in/noise.ogg", large);
    temp.write("in/hello.spx", speexBytes());
    ASSERT_EQ(sndpack("pack music.snd in/noise.ogg in/hello.spx"), 0) << output;
    const std::string archive = encodeRecord(kCodecVorbis, "noise.ogg", large) +
                                encodeRecord(kCodecSpeex, "hello.spx", speexBytes());
    EXPECT_EQ(readWholeFile(temp / "music.snd"), archive);
    EXPECT_NE(output.find(std::to_string(archive.size()) + " bytes"), std::string::npos) << output;

    ASSERT_EQ(sndpack("list music.snd"), 0) << output;
    std::istringstream listed(output.substr(output.find("\n0 vorbis")));
    std::uint64_t data = 0, record = 0;
    std::string codec, name;
    listed >> codec >> codec >> data >> record >> name;
    EXPECT_EQ(data, large.size()) << output;
    EXPECT_EQ(record, large.size() + 12 + 9) << output;
    EXPECT_EQ(name, "noise.ogg") << output;
    ASSERT_EQ(sndpack("extract music.snd out"), 0) << output;
    EXPECT_EQ(readWholeFile(temp / "out/noise.ogg"), large);
    EXPECT_EQ(readWholeFile(temp / "out/hello.spx"), speexBytes());
    EXPECT_EQ(sndpack("verify music.snd"), 0) << output;
    EXPECT_NE(output.find("2 records, 0 failed"), std::string::npos) << output;
}

#ifndef _WIN32
// A request to end sndpack while it writes a file removes the partial file, says so, and ends
// sndpack by the signal. The record is a sparse file of gigabytes, so the write is under way
// when the signal comes.
TEST_F(SndPackTest, EndSignalLeavesNoPartialFile) {
    namespace fs = std::filesystem;
    constexpr std::uint32_t kHuge = 0xF0000000u;
    {
        std::ofstream archive(temp / "huge.snd", std::ios::binary);
        archive << recordHeader(kCodecVorbis, kHuge, 8) << "huge.ogg" << vorbisBytes();
        std::ofstream input(temp / "huge.ogg", std::ios::binary);
        input << vorbisBytes();
    }
    fs::resize_file(temp / "huge.snd", 12 + 8 + std::uintmax_t{kHuge});
    fs::resize_file(temp / "huge.ogg", kHuge);
    const struct {
        std::vector<std::string> arguments;
        const char* written;
        int signal;
        const char* said;
    } cases[] = {
        {{"extract", "huge.snd", "out"}, "out/huge.ogg", SIGTERM, "stopped by SIGTERM; "},
        {{"pack", "packed.snd", "huge.ogg"}, "packed.snd", SIGINT, "stopped by SIGINT; "},
        {{"extract", "huge.snd", "out"}, "out/huge.ogg", SIGHUP, "stopped by SIGHUP; "},
    };
    const std::string tool = toolPath().string();
    for (const auto& c : cases) {
        std::vector<std::string> words{tool};
        words.insert(words.end(), c.arguments.begin(), c.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string errors = (temp / "errors.txt").string();
        posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        const auto cwd = fs::current_path();
        fs::current_path(temp.path());
        pid_t child = 0;
        const int spawned =
            posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ);
        fs::current_path(cwd);
        posix_spawn_file_actions_destroy(&actions);
        ASSERT_EQ(spawned, 0) << tool;
        const fs::path written = temp / c.written;
        for (int waited = 0; waited < 10000 && !fs::exists(written); ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(fs::exists(written)) << c.written;
        kill(child, c.signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string said = readWholeFile(errors);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal)
            << c.written << ": status " << status << ": " << said;
        EXPECT_FALSE(fs::exists(written)) << c.written;
        EXPECT_NE(said.find(std::string(c.said) + written.string() + " was not written"),
                  std::string::npos)
            << said;
    }
}
#endif

TEST_F(SndPackTest, RefusesFilesThatAreNotVorbisOrSpeex) {
    temp.write("tone.wav", "RIFF....WAVEfmt ");
    EXPECT_EQ(sndpack("pack out.snd tone.wav"), 1);
    EXPECT_NE(output.find("tone.wav: not an Ogg file"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(temp / "out.snd"));

    // A Vorbis stream under a Speex name would be refused by the installer.
    temp.write("wrong.spx", vorbisBytes());
    EXPECT_EQ(sndpack("pack out.snd wrong.spx"), 1);
    EXPECT_NE(output.find("extension"), std::string::npos) << output;

    temp.write("a/theme.ogg", vorbisBytes());
    temp.write("b/Theme.OGG", vorbisBytes());
    EXPECT_EQ(sndpack("pack out.snd a/theme.ogg b/Theme.OGG"), 1);
    EXPECT_NE(output.find("packed already"), std::string::npos) << output;
}

TEST_F(SndPackTest, ReportsBrokenArchivesAndBadRecords) {
    temp.write("cut.snd", encodeRecord(kCodecVorbis, "a.ogg", vorbisBytes()).substr(0, 100));
    EXPECT_EQ(sndpack("list cut.snd"), 1);
    EXPECT_NE(output.find("record 0 at byte 0: record data runs past the end"), std::string::npos)
        << output;
    EXPECT_EQ(sndpack("verify cut.snd"), 1);

    temp.write("bad.snd",
               encodeRecord(kCodecVorbis, "a.ogg", "not ogg") + encodeRecord(2, "other.bin", "x"));
    EXPECT_EQ(sndpack("verify bad.snd"), 1);
    EXPECT_NE(output.find("FAILED a.ogg"), std::string::npos) << output;
    EXPECT_NE(output.find("2 records, 2 failed"), std::string::npos) << output;
}

// Records whose stream header the installer would turn into a broken WAVE file fail, with the
// decoder's reason. Each is a real encoder's file with one header field rewritten (the pages
// made again, so that their checksums hold); the first row, rewritten unchanged, passes.
TEST_F(SndPackTest, VerifyFailsRecordsWhoseHeadersMakeBrokenWaves) {
    const auto rewritten = [&](const std::string& bytes, int headerPackets, std::size_t field,
                               std::int64_t value) {
        auto packets = readOggPackets(temp.write("original.ogg", bytes));
        if (field != 0)
            setPacketField(packets[0], field, static_cast<std::int32_t>(value));
        return writeOggStream(packets, 9, headerPackets);
    };
    // The Vorbis identification header's rate, and the Speex header's rate, frames per packet
    // and extra header count.
    constexpr std::size_t kVorbisRate = 12, kSpeexRate = 36, kFramesPerPacket = 64,
                          kExtraHeaders = 68;
    const struct {
        const char* name;
        std::size_t field;
        std::int64_t value;
        const char* why; // the decoder's reason, when it is ours rather than the library's
    } rows[] = {
        {"unchanged.ogg", 0, 0, ""},
        {"unchanged.spx", 0, 0, ""},
        {"rate0.ogg", kVorbisRate, 0, ""},
        // Where a long has 32 bits the library refuses this rate itself, as it refuses 0.
        {"rate-ffffffff.ogg", kVorbisRate, 0xFFFFFFFF,
         sizeof(long) == 8 ? "rate of 4294967295 Hz in the header" : ""},
        {"rate0.spx", kSpeexRate, 0, "rate of 0 Hz in the header"},
        {"rate-negative.spx", kSpeexRate, -16000, "rate of -16000 Hz in the header"},
        {"rate-2ghz.spx", kSpeexRate, 2000000000, "rate of 2000000000 Hz in the header"},
        {"frames-million.spx", kFramesPerPacket, 1000000,
         "1000000 frames per packet in the header"},
        {"frames-negative.spx", kFramesPerPacket, -2, "-2 frames per packet in the header"},
        {"extra-million.spx", kExtraHeaders, 1000000, "1000000 extra header packets in the header"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const bool vorbis = std::string(row.name).ends_with(".ogg");
        const std::string bytes = vorbis ? rewritten(vorbisBytes(), 3, row.field, row.value)
                                         : rewritten(speexBytes(), 2, row.field, row.value);
        temp.write("one.snd", encodeRecord(vorbis ? kCodecVorbis : kCodecSpeex, row.name, bytes));
        const bool passes = row.field == 0;
        EXPECT_EQ(sndpack("verify one.snd"), passes ? 0 : 1) << output;
        EXPECT_NE(output.find(passes ? "1 records, 0 failed" : "1 records, 1 failed"),
                  std::string::npos)
            << output;
        EXPECT_NE(output.find(row.why), std::string::npos) << output;
    }
}

// What the packer cannot take ends with a message and status 1, without waiting on anything.
TEST_F(SndPackTest, InputsThatAreNoFilesAreRefusedWithAReason) {
    std::filesystem::create_directory(temp / "folder.ogg");
    struct Case {
        const char* input;
        const char* why;
    };
    std::vector<Case> cases = {{"folder.ogg", "folder.ogg: not a regular file"},
                               {"missing.ogg", "missing.ogg: not found"}};
#ifndef _WIN32
    ASSERT_EQ(mkfifo((temp / "pipe.ogg").c_str(), 0600), 0);
    cases.push_back({"pipe.ogg", "pipe.ogg: not a regular file"});
    cases.push_back({"/dev/zero", "/dev/zero: not a regular file"});
#endif
    for (const Case& c : cases) {
        EXPECT_EQ(sndpack(std::string("pack out.snd ") + c.input), 1) << c.input;
        EXPECT_NE(output.find(c.why), std::string::npos) << output;
        EXPECT_FALSE(std::filesystem::exists(temp / "out.snd"));
    }
}

// Extraction makes files inside its folder only: never through a link, never over a file that
// is there already unless asked, and never over a read-only file.
TEST_F(SndPackTest, ExtractionWritesOnlyFilesItMakes) {
    namespace fs = std::filesystem;
    temp.write("in/theme.ogg", vorbisBytes());
    ASSERT_EQ(sndpack("pack music.snd in/theme.ogg"), 0) << output;
    fs::create_directory(temp / "out");
    // A link in the way is never written through. Windows lets only some accounts make links.
    const auto victim = temp.write("victim.txt", "kept");
    std::error_code linkError;
    fs::create_symlink(victim, temp / "out/theme.ogg", linkError);
    if (linkError) {
        std::printf("[   NOTE   ] the link refusal is not checked: no link can be made here (%s)\n",
                    linkError.message().c_str());
    } else {
        for (const char* options : {"", "--overwrite "}) {
            EXPECT_EQ(sndpack(std::string("extract ") + options + "music.snd out"), 1) << options;
            EXPECT_EQ(readWholeFile(victim), "kept");
        }
        fs::remove(temp / "out/theme.ogg");
    }

    temp.write("out/theme.ogg", "earlier");
    EXPECT_EQ(sndpack("extract music.snd out"), 1);
    EXPECT_NE(output.find("exists already (--overwrite replaces it)"), std::string::npos) << output;
    EXPECT_EQ(readWholeFile(temp / "out/theme.ogg"), "earlier");
    fs::permissions(temp / "out/theme.ogg", fs::perms::owner_read);
    EXPECT_EQ(sndpack("extract --overwrite music.snd out"), 1);
    EXPECT_NE(output.find("read-only"), std::string::npos) << output;
    fs::permissions(temp / "out/theme.ogg", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(sndpack("extract --overwrite music.snd out"), 0) << output;
    EXPECT_EQ(readWholeFile(temp / "out/theme.ogg"), vorbisBytes());
}

TEST_F(SndPackTest, CommandLine) {
    EXPECT_EQ(sndpack("--help"), 0);
    EXPECT_NE(output.find("Usage: sndpack"), std::string::npos);
#ifndef _WIN32 // Windows speaks the user's language of its settings, not of the environment
    setenv("LC_ALL", "pl_PL.UTF-8", 1);
    EXPECT_EQ(sndpack("--help"), 0);
    EXPECT_NE(output.find("Użycie: sndpack POLECENIE"), std::string::npos) << output;
    EXPECT_EQ(sndpack("shuffle x.snd"), 2);
    EXPECT_NE(output.find("nieznane polecenie shuffle"), std::string::npos) << output;
    unsetenv("LC_ALL");
#endif
    EXPECT_EQ(sndpack(""), 2);
    EXPECT_EQ(sndpack("shuffle x.snd"), 2);
    EXPECT_EQ(sndpack("list"), 2);
    EXPECT_EQ(sndpack("list missing.snd"), 1);
    EXPECT_NE(output.find("missing.snd: cannot be opened"), std::string::npos);
}

} // namespace
