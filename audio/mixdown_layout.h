// Sizes and fixed fields of a mixdown file: 16-bit stereo PCM at the source
// rate, "fmt " and "data" chunks, then a closing LIST/INFO chunk with ISFT,
// ICRD and IENG. Pure: no file access.
#pragma once
#include <cstddef>
#include <cstdint>

// Bytes of one output block and of the 16-bit buffer.
constexpr int32_t kMixdownBlockBytes = 32768;
constexpr uint32_t kMixdownFormatSize = 16;
constexpr uint32_t kMixdownSoftwareSize = 32;
constexpr uint32_t kMixdownDateSize = 12;
constexpr size_t kMixdownUserNameSize = 32;  // at most 31 characters and the NUL
// Where the sizes that depend on the data length sit.
constexpr uint32_t kMixdownRiffSizeOffset = 4;
constexpr uint32_t kMixdownDataSizeOffset = 40;
// The RIFF id and size field, which the RIFF size does not count.
constexpr uint64_t kMixdownRiffHeaderBytes = 8;
extern const char kMixdownSoftwareText[];   // "Quellbox v. 1.5"
extern const char kMixdownUnknownUser[];    // the name written when none is known

// Bytes read from the source per block: half a block for a mono source,
// whose samples are doubled on the way out.
int32_t MixdownReadSize(int32_t blockBytes, bool mono);

// Blocks needed for dataLength source bytes, the last one possibly short.
int32_t MixdownBlockCount(uint32_t dataLength, int32_t readSize);

// Source bytes to read for the 1-based block number: the read size, or what
// is left of the data chunk when that is less (never past its end).
int32_t MixdownBlockReadLength(uint32_t dataLength, int32_t readSize, int32_t blockNumber);

// Interleaved stereo values made from bytesRead source bytes: whole frames
// only, so a stray trailing byte or half frame makes no output.
int MixdownBlockValueCount(int32_t bytesRead, bool mono);

// Output data bytes for a source data chunk of dataLength bytes: its whole
// frames as 16-bit stereo, so always a multiple of 4.
uint64_t MixdownOutputDataLength(uint32_t dataLength, bool mono);

// The Progress bar's maximum: data length / read size in signed 32-bit
// arithmetic, kept to its low 16 bits (it wraps for sources over 2 GiB).
uint16_t MixdownProgressRange(uint32_t dataLength, int32_t readSize);

// Where the bar stands after stepsTaken steps (one per rendered block): the
// share of the whole data chunk's full blocks that is done, laid over the
// range MixdownProgressRange gives. It goes once from 0 to that maximum and
// stays there, however the range wrapped; with a range that did not wrap it
// is the step count itself, held at the maximum.
uint16_t MixdownProgressPosition(uint32_t stepsTaken, uint32_t dataLength, int32_t readSize);

// A progress bar's position after one PBM_STEPIT of step from position in
// the range low to high: a position that passes either end starts over
// from the other, and a bar without a range stays where it is.
int ProgressBarAfterStep(int position, int low, int high, int step);

// 1 for a name of odd length (its NUL), 2 for an even length (NUL and pad).
int16_t MixdownNamePad(size_t nameLength);
// N, the IENG chunk size: the name, its NUL and pad; always even.
uint32_t MixdownIengSize(const char* userName);
// Size field of the RIFF chunk: everything after it, 116 + D + N.
uint64_t MixdownRiffSize(uint64_t dataBytes, uint32_t iengSize);
// Size field of the LIST chunk: 72 + N.
uint32_t MixdownListSize(uint32_t iengSize);
// True when a file of dataBytes output bytes fits the 32-bit RIFF sizes.
bool MixdownSizesFit(uint64_t dataBytes, uint32_t iengSize);

// The user name as written: at most 31 characters, NUL-filled to 32 bytes;
// a null or empty name becomes kMixdownUnknownUser.
void MixdownUserNameField(const char* name, char out[kMixdownUserNameSize]);

// "MM/DD/YY", a NUL and three zero bytes.
void MixdownDateField(int month, int day, int year, char out[kMixdownDateSize]);

// The software text NUL-filled to 32 bytes.
void MixdownSoftwareField(char out[kMixdownSoftwareSize]);

// The PCM format record: tag 1, 2 channels, rate, rate x 4, 4, 16.
void MixdownFormatRecord(uint32_t sampleRate, unsigned char out[kMixdownFormatSize]);
