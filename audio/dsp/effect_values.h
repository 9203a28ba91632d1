// The lock-free mailbox that carries an effect's six values from the window
// thread to the processing thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/effect_values.h"

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
