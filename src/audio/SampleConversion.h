#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>

// The limit of decoded Speex values, kept below the 16-bit range on purpose.
constexpr float kSpeexSampleLimit = 32000.0f;

// One decoded value as a 16-bit sample: clamped to +-32000, then rounded as floor(value + 0.5)
// in double precision, so that values just under a half round down. A value that is not a
// number (only a damaged stream can give one) becomes silence.
inline std::int16_t toPcmSample(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value > kSpeexSampleLimit) {
        value = kSpeexSampleLimit;
    } else if (value < -kSpeexSampleLimit) {
        value = -kSpeexSampleLimit;
    }
    // floor without a library call: truncation, then one step down for negative fractions.
    const double shifted = static_cast<double>(value) + 0.5;
    int whole = static_cast<int>(shifted);
    if (whole > shifted) {
        --whole;
    }
    return static_cast<std::int16_t>(whole);
}

inline void toPcmSamples(const float* values, std::int16_t* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = toPcmSample(values[i]);
    }
}
