// Reads typed values from a fuzzer's input bytes, little-endian; past the
// end every read gives zeros, so any input is a whole case.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint64_t Bits(int bytes)
    {
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(Byte()) << (8 * i);
        return v;
    }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t U16() { return static_cast<uint16_t>(Bits(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Bits(4)); }
    double Double()
    {
        const uint64_t bits = Bits(8);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    size_t Left() const { return at_ < size_ ? size_ - at_ : 0; }
    const uint8_t* Rest() const { return data_ + (at_ < size_ ? at_ : size_); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Stops the run with the property's text; libFuzzer and the fixed-run
// driver both report the input that got here.
[[noreturn]] void FuzzPropertyFailed(const char* file, int line, const char* property);
#define FUZZ_EXPECT(cond) \
    do { \
        if (!(cond)) FuzzPropertyFailed(__FILE__, __LINE__, #cond); \
    } while (0)
