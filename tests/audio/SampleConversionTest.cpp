#include "audio/SampleConversion.h"

#include <gtest/gtest.h>
#include <limits>

TEST(SampleConversion, ClampsToThirtyTwoThousandAndRoundsHalfUp) {
    const struct {
        float value;
        std::int16_t sample;
    } cases[] = {
        {32500.4f, 32000}, {-40000.0f, -32000},
        {1.5f, 2},         {-1.5f, -1},
        {-0.5f, 0},        {0.49999997f, 0},
        {32000.0f, 32000}, {-31999.5f, -31999},
        {1e30f, 32000},    {-std::numeric_limits<float>::infinity(), -32000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toPcmSample(c.value), c.sample) << c.value;
    }
}

TEST(SampleConversion, NotANumberFromADamagedStreamBecomesSilence) {
    EXPECT_EQ(toPcmSample(std::numeric_limits<float>::quiet_NaN()), 0);
}
