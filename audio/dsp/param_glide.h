// Per-sample linear glides of a group of values towards their targets. A
// glide lasts a fixed number of samples and ends exactly on the target, so a
// value that glides to 0 is 0 afterwards, not merely close to it.
#pragma once

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
