// Runs a libFuzzer harness without libFuzzer: a fixed number of inputs from
// a fixed seed (random lengths and bytes; a quarter start with a double
// from the edges of the range), so the harnesses run in the ordinary test
// command with the host build's sanitizers. Usage: NAME [RUNS] [SEED]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

uint64_t g_state;
uint64_t Next()
{
    uint64_t z = (g_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

const double kEdges[] = {
    0.0, -0.0, 1.0, -1.0, 0.005, -0.004, 2.975, 0.0049999999, 99.995, 1e-7, 5e-8, 1e15, 1e16, 1e17, 1e300,
    std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
    std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::signaling_NaN(),
    2147483647.5, -2147483648.5, 4294967295.0, 65535.999,
};

}  // namespace

int main(int argc, char** argv)
{
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 0) : 10000;
    g_state = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 1;
    std::vector<uint8_t> input;
    for (long run = 0; run < runs; ++run) {
        const size_t length = static_cast<size_t>(Next() % (Next() % 4 == 0 ? 600 : 48));
        input.resize(length);
        for (uint8_t& b : input) b = static_cast<uint8_t>(Next());
        if (Next() % 4 == 0 && length >= 8) {
            const double edge = kEdges[Next() % (sizeof kEdges / sizeof kEdges[0])];
            std::memcpy(input.data(), &edge, sizeof edge);
        }
        // An exact-size heap copy, as libFuzzer hands it over.
        std::vector<uint8_t> exact(input);
        LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
    }
    std::printf("%s: %ld runs from seed %s passed\n", argv[0], runs, argc > 2 ? argv[2] : "1");
    return 0;
}
