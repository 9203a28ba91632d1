// A left/right pair of doubles processed together: SSE2 where the target has
// it (both Windows builds and the host), two plain doubles elsewhere. The
// lanes compute exactly what scalar code computes (IEEE add, sub, mul, div),
// only two at a time.
#pragma once

#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || defined(__x86_64__)
#include <emmintrin.h>

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
inline Pair operator/(Pair a, Pair b) { return Pair{_mm_div_pd(a.v, b.v)}; }

// The same bend as SoftLimit in dsp_support.h, both lanes at once. Below
// the knee (nearly always) the value passes straight through, which keeps
// the division off a feedback loop's critical path.
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
inline Pair operator/(Pair a, Pair b) { return Pair{a.l / b.l, a.r / b.r}; }
#include "audio/dsp/dsp_support.h"
inline Pair PairSoftLimit(Pair x, double, double) { return Pair{SoftLimit(x.l), SoftLimit(x.r)}; }

#endif
