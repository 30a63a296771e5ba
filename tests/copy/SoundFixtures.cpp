#include "SoundFixtures.h"

#include "platform/Paths.h"
#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <stdexcept>

bool runCommand(const std::string& commandLine) {
    return runHostCommand(commandLine) == 0;
}

std::string drivePath(const std::filesystem::path& native) {
    return platform::toDrivePath(native.string());
}

namespace {

// Runs the commands inside a folder kept for the whole test program and returns the bytes of
// the file they made.
std::string makeSound(const std::string& commands, const std::string& made) {
    static TempFolder folder;
    if (!runCommand("cd '" + hostPath(folder.path()) + "' && " + commands))
        throw std::runtime_error("cannot make the test sound " + made);
    return readWholeFile(folder / made);
}

} // namespace

const std::string& vorbisBytes() {
    static const std::string bytes =
        makeSound("sox -R -q -n -r 22050 -c 1 -b 16 tone.wav synth 0.3 sine 440 && "
                  "oggenc -Q -o tone.ogg tone.wav",
                  "tone.ogg");
    return bytes;
}

const std::string& longVorbisBytes() {
    static const std::string bytes =
        makeSound("sox -R -q -n -r 22050 -c 1 -b 16 long.wav synth 240 sine 200-2000 && "
                  "oggenc -Q -o long.ogg long.wav",
                  "long.ogg");
    return bytes;
}

const std::string& largeVorbisBytes() {
    static const std::string bytes =
        makeSound("sox -R -q -n -r 44100 -c 2 -b 16 noise.wav synth 30 whitenoise vol 0.5 && "
                  "oggenc -Q -q 10 -o noise.ogg noise.wav",
                  "noise.ogg");
    return bytes;
}

const std::string& speexBytes() {
    static const std::string bytes =
        makeSound("sox -R -q -n -r 8000 -c 1 -b 16 voice.wav synth 0.3 sine 300 && "
                  "speexenc --quiet voice.wav voice.spx",
                  "voice.spx");
    return bytes;
}

std::string recordHeader(std::uint32_t codec, std::uint32_t dataLength, std::uint32_t nameLength) {
    std::string bytes;
    for (const std::uint32_t value : {codec, dataLength, nameLength})
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string copyListScript(const std::string& languageSection,
                           const std::vector<std::string>& entries) {
    std::string script = languageSection + "[std]\nfiles=" + std::to_string(entries.size()) + "\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
        script += std::to_string(i) + "=" + entries[i] + "\n";
    return script;
}
