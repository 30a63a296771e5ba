#pragma once
#include <string>

// Whether a file is given a WAVE header: its name ends in exactly ".wav" or ".WAV". The test is
// case-sensitive on purpose, so a mixed-case ending gets bare samples.
inline bool hasWavName(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string ending = path.substr(path.size() - 4);
    return ending == ".wav" || ending == ".WAV";
}
