#pragma once
// Small compressed sound files, made once per test program from sox tones by Debian's encoders.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The bytes of a short Ogg Vorbis file and of a short Ogg Speex file.
const std::string& vorbisBytes();
const std::string& speexBytes();
// Four minutes of sound: a conversion that is still under way when the window next looks.
const std::string& longVorbisBytes();
// Noise at the highest quality: an Ogg Vorbis file larger than one archive read piece (1 MiB).
const std::string& largeVorbisBytes();

// The drive path ("Z:\tmp\...") of a native path, as the installer's paths are written.
std::string drivePath(const std::filesystem::path& native);

// Runs a shell command line; true when it exited with 0.
bool runCommand(const std::string& commandLine);

// A record header that may promise more than follows it.
std::string recordHeader(std::uint32_t codec, std::uint32_t dataLength, std::uint32_t nameLength);

// A setup script of the language section given and a [std] copy list of these entries.
std::string copyListScript(const std::string& languageSection,
                           const std::vector<std::string>& entries);
