#include "audio/dsp/dsp_blocks.h"

void PostValues(ValuesMailbox* box, const EffectValues& values)
{
    const uint32_t start = box->sequence.load(std::memory_order_relaxed);
    // Odd while the fields are being written; never wraps back to 0.
    box->sequence.store(start + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    box->freq.store(values.freq, std::memory_order_relaxed);
    box->depth.store(values.depth, std::memory_order_relaxed);
    box->rate.store(values.rate, std::memory_order_relaxed);
    box->mix.store(values.mix, std::memory_order_relaxed);
    box->degree.store(values.degree, std::memory_order_relaxed);
    box->feed.store(values.feed, std::memory_order_relaxed);
    uint32_t done = start + 2;
    if (done == 0) done = 2;
    box->sequence.store(done, std::memory_order_release);
}

bool TakeValues(ValuesMailbox* box, uint32_t* seen, EffectValues* out)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const uint32_t before = box->sequence.load(std::memory_order_acquire);
        if (before == *seen) return false;
        if (before & 1u) continue;
        EffectValues v;
        v.freq = box->freq.load(std::memory_order_relaxed);
        v.depth = box->depth.load(std::memory_order_relaxed);
        v.rate = box->rate.load(std::memory_order_relaxed);
        v.mix = box->mix.load(std::memory_order_relaxed);
        v.degree = box->degree.load(std::memory_order_relaxed);
        v.feed = box->feed.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (box->sequence.load(std::memory_order_relaxed) != before) continue;
        *out = v;
        *seen = before;
        return true;
    }
    return false;
}

bool PickUpValues(ValuesMailbox* box, uint32_t* seen, bool snap, const EffectRange& range, EffectValues* out)
{
    if (TakeValues(box, seen, out)) return true;
    if (!snap || *seen != 0) return false;
    *out = SwitchedOff(range.defaults);
    return true;
}

void DelayLineInit(DelayLine* line, double maxDelay)
{
    uint32_t size = 16;
    while (size < maxDelay + 8.0) size <<= 1;
    line->buffer.assign(size, 0.0);
    line->mask = size - 1;
    line->write = 0;
}
