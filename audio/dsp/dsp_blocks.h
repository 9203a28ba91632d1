// The building blocks every effect is made of, in the order a sample meets
// them: the values mailbox from the window thread, value clamping and the
// sample-rate arithmetic, the LFO, the per-sample glides, the soft limiter
// inside the feedback loops, the left/right pair processed together, the
// delay line with its cubic read, and the denormal guard around a call.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/effect_ranges.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(__x86_64__)
#include <emmintrin.h>
#include <xmmintrin.h>
#define QBX_DSP_HAS_SSE2 1
#endif

// ---------------------------------------------------------------------------
// The values mailbox: an effect's six values from the window thread to the
// processing thread, lock-free.

// A sequence-counted record of six atomics. The writer makes the counter odd,
// stores the values and makes it even again; a reader that sees the same even
// counter before and after reading has one consistent set. Every field is an
// atomic, so no thread ever touches plain shared memory: there is no data race
// and no torn double, whatever the interleaving. Writers are expected one at a
// time (the window thread); even two racing writers leave every single value
// whole.
struct ValuesMailbox {
    std::atomic<uint32_t> sequence{0};  // 0: nothing posted yet
    std::atomic<double> freq{0.0};
    std::atomic<double> depth{0.0};
    std::atomic<double> rate{0.0};
    std::atomic<double> mix{0.0};
    std::atomic<double> degree{0.0};
    std::atomic<double> feed{0.0};
};

static_assert(std::atomic<double>::is_always_lock_free, "parameter doubles must be lock-free atomics");
static_assert(std::atomic<uint32_t>::is_always_lock_free, "the sequence counter must be a lock-free atomic");

// Publishes a new set of values. Never blocks.
void PostValues(ValuesMailbox* box, const EffectValues& values);

// Copies the latest consistent set into *out if one was posted since the
// sequence number *seen; updates *seen. Returns false when nothing new is
// there (or a writer is busy this very moment; the next call picks it up).
bool TakeValues(ValuesMailbox* box, uint32_t* seen, EffectValues* out);

// What an effect applies at a pickup: the newest set posted since *seen, or,
// at a pickup that snaps (right after Init) when nothing was ever posted,
// the start-up values of range switched off. False when there is nothing
// to apply.
bool PickUpValues(ValuesMailbox* box, uint32_t* seen, bool snap, const EffectRange& range, EffectValues* out);

// ---------------------------------------------------------------------------
// Values and rates made safe to compute with.

// The value clamped to lo .. hi; a NaN gives fallback.
inline double ClampValue(double v, double lo, double hi, double fallback)
{
    if (!(v == v)) return fallback;
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

// A Change call's values held to the effect's accepted bounds; a value that
// is no number gives the start-up value, and mix 0 (switched off).
inline EffectValues AcceptedValues(const EffectValues& raw, const EffectRange& range)
{
    const EffectValues& lo = range.acceptedLowest;
    const EffectValues& hi = range.acceptedHighest;
    const EffectValues& start = range.defaults;
    return {ClampValue(raw.freq, lo.freq, hi.freq, start.freq),
            ClampValue(raw.depth, lo.depth, hi.depth, start.depth),
            ClampValue(raw.rate, lo.rate, hi.rate, start.rate),
            ClampValue(raw.mix, lo.mix, hi.mix, 0.0),
            ClampValue(raw.degree, lo.degree, hi.degree, start.degree),
            ClampValue(raw.feed, lo.feed, hi.feed, start.feed)};
}

// Samples in ms milliseconds at rate Hz, at least 1.
inline int MsToSamples(double ms, double rate)
{
    const double n = ms * 0.001 * rate;
    return n < 1.0 ? 1 : static_cast<int>(n + 0.5);
}

// A sample rate made safe to compute with: NaN gives 44100, everything else
// is held to 1000 .. 768000 Hz.
inline double SafeSampleRate(double rate)
{
    if (!(rate == rate)) return 44100.0;
    if (rate < 1000.0) return 1000.0;
    if (rate > 768000.0) return 768000.0;
    return rate;
}

// ---------------------------------------------------------------------------
// The low-frequency oscillator: a phase in cycles and a cheap, smooth sine.

// sin(2 * pi * phase) for any phase in cycles; error below 4e-6, smooth, and
// exactly the same on every platform with IEEE doubles (no library call).
inline double CycleSine(double phase)
{
    double t = phase - std::floor(phase + 0.5);  // -0.5 .. 0.5
    if (t > 0.25) t = 0.5 - t;
    else if (t < -0.25) t = -0.5 - t;
    const double x = 6.283185307179586 * t;  // -pi/2 .. pi/2
    const double x2 = x * x;
    return x * (1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880)))));
}

// Advances a phase by inc cycles, kept in 0 .. 1.
inline double AdvancePhase(double phase, double inc)
{
    phase += inc;
    if (phase >= 1.0) phase -= 1.0;
    return phase;
}

// ---------------------------------------------------------------------------
// Per-sample linear glides of a group of values towards their targets. A
// glide lasts a fixed number of samples and ends exactly on the target, so a
// value that glides to 0 is 0 afterwards, not merely close to it.

template <int N>
struct Glide {
    double value[N];
    double target[N];
    double step[N];
    int remaining;
};

template <int N>
inline void GlideSnap(Glide<N>* g, const double* targets)
{
    for (int i = 0; i < N; ++i) {
        g->value[i] = targets[i];
        g->target[i] = targets[i];
        g->step[i] = 0.0;
    }
    g->remaining = 0;
}

// Starts a glide of every value from where it stands to its new target.
template <int N>
inline void GlideTo(Glide<N>* g, const double* targets, int samples)
{
    if (samples < 1) samples = 1;
    for (int i = 0; i < N; ++i) {
        g->target[i] = targets[i];
        g->step[i] = (targets[i] - g->value[i]) / samples;
    }
    g->remaining = samples;
}

// One sample further.
template <int N>
inline void GlideTick(Glide<N>* g)
{
    if (g->remaining == 0) return;
    if (--g->remaining == 0) {
        for (int i = 0; i < N; ++i) g->value[i] = g->target[i];
    } else {
        for (int i = 0; i < N; ++i) g->value[i] += g->step[i];
    }
}

// ---------------------------------------------------------------------------
// The soft limiter that keeps every feedback loop bounded.

// Full scale of a 16-bit sample in the units the effects work in.
constexpr double kFullScale = 32768.0;

// Where SoftLimit starts to bend, and how much room it has above that.
constexpr double kLimitKnee = kFullScale;
constexpr double kLimitRoom = kFullScale;

// Linear up to full scale, then bending smoothly (slope 1 at the knee)
// towards twice full scale, which it never exceeds:
// knee + over * room / (room + over) for over = |x| - knee > 0. Used inside
// every feedback loop so no setting and no input can make a loop run away.
inline double SoftLimit(double x)
{
    const double a = x < 0.0 ? -x : x;
    if (a <= kLimitKnee) return x;
    const double over = a - kLimitKnee;
    const double cut = over * over / (kLimitRoom + over);
    return x < 0.0 ? x + cut : x - cut;
}

// ---------------------------------------------------------------------------
// A left/right pair of doubles processed together: SSE2 where the target has
// it (both Windows builds and the host), two plain doubles elsewhere. The
// lanes compute exactly what scalar code computes (IEEE add, sub, mul, div),
// only two at a time.

#ifdef QBX_DSP_HAS_SSE2

struct Pair {
    __m128d v;
};

inline Pair PairLoad(const double* p) { return Pair{_mm_loadu_pd(p)}; }
inline void PairStore(double* p, Pair a) { _mm_storeu_pd(p, a.v); }
inline Pair PairOf(double left, double right) { return Pair{_mm_set_pd(right, left)}; }
inline Pair PairBoth(double x) { return Pair{_mm_set1_pd(x)}; }
inline double PairLeft(Pair a) { return _mm_cvtsd_f64(a.v); }
inline double PairRight(Pair a) { return _mm_cvtsd_f64(_mm_unpackhi_pd(a.v, a.v)); }
inline Pair operator+(Pair a, Pair b) { return Pair{_mm_add_pd(a.v, b.v)}; }
inline Pair operator-(Pair a, Pair b) { return Pair{_mm_sub_pd(a.v, b.v)}; }
inline Pair operator*(Pair a, Pair b) { return Pair{_mm_mul_pd(a.v, b.v)}; }

// The same bend as SoftLimit, both lanes at once. Below the knee (nearly
// always) the value passes straight through, which keeps the division off a
// feedback loop's critical path.
inline Pair PairSoftLimit(Pair x, double knee, double room)
{
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d a = _mm_andnot_pd(sign, x.v);
    if (_mm_movemask_pd(_mm_cmpgt_pd(a, _mm_set1_pd(knee))) == 0) return x;
    const __m128d over = _mm_max_pd(_mm_sub_pd(a, _mm_set1_pd(knee)), _mm_setzero_pd());
    const __m128d cut = _mm_div_pd(_mm_mul_pd(over, over), _mm_add_pd(_mm_set1_pd(room), over));
    return Pair{_mm_sub_pd(x.v, _mm_or_pd(cut, _mm_and_pd(sign, x.v)))};
}

#else

struct Pair {
    double l, r;
};

inline Pair PairLoad(const double* p) { return Pair{p[0], p[1]}; }
inline void PairStore(double* p, Pair a)
{
    p[0] = a.l;
    p[1] = a.r;
}
inline Pair PairOf(double left, double right) { return Pair{left, right}; }
inline Pair PairBoth(double x) { return Pair{x, x}; }
inline double PairLeft(Pair a) { return a.l; }
inline double PairRight(Pair a) { return a.r; }
inline Pair operator+(Pair a, Pair b) { return Pair{a.l + b.l, a.r + b.r}; }
inline Pair operator-(Pair a, Pair b) { return Pair{a.l - b.l, a.r - b.r}; }
inline Pair operator*(Pair a, Pair b) { return Pair{a.l * b.l, a.r * b.r}; }
inline Pair PairSoftLimit(Pair x, double, double) { return Pair{SoftLimit(x.l), SoftLimit(x.r)}; }

#endif

// ---------------------------------------------------------------------------
// A power-of-two ring buffer of doubles, and a cubic Hermite fractional read
// of a left and a right one together.

struct DelayLine {
    std::vector<double> buffer;
    uint32_t mask = 0;
    uint32_t write = 0;  // where the next sample goes
};

// Sizes the line to hold at least maxDelay samples of history plus the
// interpolator's neighbours, and clears it. The only place that allocates.
void DelayLineInit(DelayLine* line, double maxDelay);

inline void DelayLineWrite(DelayLine* line, double value)
{
    line->buffer[line->write] = value;
    line->write = (line->write + 1) & line->mask;
}

// The signals of two lines of one size, each delay samples ago on its own
// lane (delay >= 2; the caller keeps it inside the sized length), by 4-point
// cubic Hermite (Catmull-Rom) interpolation between the two neighbouring
// samples, from rings left and right of mask + 1 values whose next write
// goes to index write. Read before writing the current samples.
inline Pair PairHermiteRead(const double* left, const double* right, uint32_t mask, uint32_t write, Pair delay)
{
    const uint32_t wholeLeft = static_cast<uint32_t>(PairLeft(delay));
    const uint32_t wholeRight = static_cast<uint32_t>(PairRight(delay));
    const Pair f = delay - PairOf(static_cast<double>(wholeLeft), static_cast<double>(wholeRight));
    const uint32_t il = (write - wholeLeft) & mask, ir = (write - wholeRight) & mask;  // the whole delays
    const Pair yNewer = PairOf(left[(il + 1) & mask], right[(ir + 1) & mask]);
    const Pair y0 = PairOf(left[il], right[ir]);
    const Pair y1 = PairOf(left[(il - 1) & mask], right[(ir - 1) & mask]);
    const Pair y2 = PairOf(left[(il - 2) & mask], right[(ir - 2) & mask]);
    const Pair half = PairBoth(0.5);
    const Pair c1 = half * (y1 - yNewer);
    const Pair c2 = yNewer - PairBoth(2.5) * y0 + PairBoth(2.0) * y1 - half * y2;
    const Pair c3 = half * (y2 - yNewer) + PairBoth(1.5) * (y0 - y1);
    return ((c3 * f + c2) * f + c1) * f + y0;
}

// ---------------------------------------------------------------------------
// Sets flush-to-zero and denormals-are-zero for the duration of a processing
// call, so decaying filter and delay states never turn into slow subnormal
// numbers; restores the caller's mode afterwards.

constexpr unsigned int kFlushDenormalsMode = 0x8040u;  // MXCSR: FTZ (bit 15) | DAZ (bit 6)

struct ScopedDenormalGuard {
#ifdef QBX_DSP_HAS_SSE2
    unsigned int saved = _mm_getcsr();
    ScopedDenormalGuard() { _mm_setcsr(saved | kFlushDenormalsMode); }
    ~ScopedDenormalGuard() { _mm_setcsr(saved); }
#else
    ScopedDenormalGuard() = default;
#endif
    ScopedDenormalGuard(const ScopedDenormalGuard&) = delete;
    ScopedDenormalGuard& operator=(const ScopedDenormalGuard&) = delete;
};
