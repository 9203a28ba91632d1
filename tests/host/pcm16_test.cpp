#include "audio/pcm16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(Pcm16, NearestIntegerWithinTheBoundsAndNonFiniteValuesNeverNoise)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct { double value; int16_t pcm; } rows[] = {
        {std::numeric_limits<double>::quiet_NaN(), 0}, {inf, 32767}, {-inf, -32768},
        {32767.0, 32767}, {32767.4, 32767}, {-32768.0, -32768},
        {-32767.5, -32767},  // a half goes toward zero
        {-32767.51, -32768}, {2.5, 2}, {2.51, 3}, {0.49, 0}, {-0.51, -1},
    };
    for (const auto& row : rows) EXPECT_EQ(NearestPcm16(row.value), row.pcm) << ::testing::PrintToString(row.value);
}

TEST(Pcm16, NarrowingKeepsTheGainedValues)
{
    // Each value is multiplied by its channel's gain in place; the clip and
    // rounding go only into the 16-bit output.
    std::vector<double> values = {20000.0, -3.0, 5.0};
    std::vector<int16_t> out(4, 0x5A5A);
    NarrowToPcm16(values.data(), out.data(), 3, 2.0, 0.5);
    EXPECT_EQ(values, (std::vector<double>{40000.0, -1.5, 10.0}));
    EXPECT_EQ(out, (std::vector<int16_t>{32767, -1, 10, 0x5A5A}));
}

TEST(Pcm16, WideningNothingWritesNothing)
{
    const int16_t in[1] = {7};
    double values[2] = {-1.0, -1.0};
    EXPECT_EQ(WidenPcm16(in, 0, true, values), 0);
    EXPECT_EQ(WidenPcm16(in, -3, false, values), 0);
    EXPECT_EQ(values[0], -1.0);
    EXPECT_EQ(WidenPcm16(in, 1, true, values), 2);
    EXPECT_EQ(values[0], 7.0);
    EXPECT_EQ(values[1], 7.0);
}

}  // namespace
