#pragma once
// The transcoder works on files, so each fuzz input goes through a scratch folder of its own.
#include <cstddef>
#include <cstdint>
#include <string>

struct FuzzFiles {
    std::string input;
    std::string output;
};

// Writes the input bytes, with every Ogg page's checksum set right, to this process's scratch
// input file, and removes any old output.
const FuzzFiles& prepareFuzzFiles(const std::uint8_t* data, std::size_t size);

// Stops the run when a conversion's result and its output disagree: a failed conversion must
// leave no output, a successful one must leave a file.
void checkOutcome(const FuzzFiles& files, bool converted);
