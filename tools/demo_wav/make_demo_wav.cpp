// Writes the demo file played by a newcomer: a few bars of plucked-string
// chords over a soft kick, synthesised here (Karplus-Strong strings), as a
// 16-bit stereo 44100 Hz WAV file.
//   make_demo_wav OUTPUT.wav
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.141592653589793;

// A deterministic noise source, so every build writes the same file.
struct Noise {
    uint32_t state = 0x2545F491u;
    double Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state / 4294967296.0) * 2.0 - 1.0;
    }
};

// One plucked string: a noise burst circulating in a delay line with a
// gentle low-pass, which decays like a real string.
void Pluck(std::vector<double>* out, size_t start, double freq, double gain, double pan, Noise* noise)
{
    const int period = static_cast<int>(kRate / freq);
    std::vector<double> line(period);
    double mean = 0.0;
    for (double& v : line) mean += (v = noise->Next());
    mean /= period;
    for (double& v : line) v -= mean;  // no DC offset in the string
    const size_t length = kRate * 3;
    double previous = 0.0;
    for (size_t i = 0; i < length && start + i < out->size() / 2; ++i) {
        const int k = static_cast<int>(i % period);
        const double v = line[k];
        line[k] = 0.996 * 0.5 * (v + previous);
        previous = v;
        const double s = gain * v;
        (*out)[2 * (start + i)] += s * (1.0 - pan);
        (*out)[2 * (start + i) + 1] += s * pan;
    }
}

void Kick(std::vector<double>* out, size_t start, double gain)
{
    const size_t length = kRate / 4;
    double phase = 0.0;
    for (size_t i = 0; i < length && start + i < out->size() / 2; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double freq = 45.0 + 90.0 * std::exp(-t * 30.0);
        phase += 2.0 * kPi * freq / kRate;
        const double s = gain * std::sin(phase) * std::exp(-t * 12.0);
        (*out)[2 * (start + i)] += s;
        (*out)[2 * (start + i) + 1] += s;
    }
}

double Note(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

void PutU16(FILE* f, uint16_t v) { std::fputc(v & 0xFF, f), std::fputc(v >> 8, f); }
void PutU32(FILE* f, uint32_t v) { PutU16(f, v & 0xFFFF), PutU16(f, v >> 16); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_wav OUTPUT.wav\n");
        return 2;
    }
    const double seconds = 8.0;
    std::vector<double> mix(static_cast<size_t>(seconds * kRate) * 2, 0.0);
    Noise noise;

    // Am - F - C - G, one chord per bar of two seconds, strummed low to high.
    const int chords[4][4] = {{57, 64, 69, 72}, {53, 60, 65, 69}, {48, 55, 64, 67}, {55, 62, 67, 71}};
    const double beat = 0.5;
    for (int bar = 0; bar < 4; ++bar) {
        for (int hit = 0; hit < 4; ++hit) {
            const double at = bar * 4 * beat + hit * beat;
            for (int n = 0; n < 4; ++n) {
                const size_t start = static_cast<size_t>((at + n * 0.012) * kRate);
                Pluck(&mix, start, Note(chords[bar][n]), hit == 0 ? 0.30 : 0.18, 0.25 + 0.5 * n / 3.0, &noise);
            }
            Kick(&mix, static_cast<size_t>(at * kRate), hit % 2 == 0 ? 0.5 : 0.3);
        }
    }

    double peak = 1e-9;
    for (double v : mix) peak = std::fmax(peak, std::fabs(v));
    const double scale = 0.8 * 32767.0 / peak;

    FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(mix.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    PutU32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    PutU32(f, 16);
    PutU16(f, 1);
    PutU16(f, 2);
    PutU32(f, kRate);
    PutU32(f, kRate * 4);
    PutU16(f, 4);
    PutU16(f, 16);
    std::fwrite("data", 1, 4, f);
    PutU32(f, dataBytes);
    for (double v : mix) PutU16(f, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * scale))));
    return std::fclose(f) == 0 ? 0 : 1;
}
