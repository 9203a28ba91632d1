#include "audio/mixdown.h"

#include <mmsystem.h>

#include <cstring>

#include "audio/riff_search.h"
#include "common/scoped_memory.h"

namespace {

// What a running render holds; Release gives back whatever exists.
struct MixdownResources {
    HGLOBAL valuesHandle;
    double* values;  // the sample buffer: blockBytes / 2 doubles
    HGLOBAL pcmHandle;
    int16_t* pcm;    // the 16-bit buffer: blockBytes bytes
    HMMIO source;
    HMMIO output;
};

MixdownResources g_resources = {};

void FreeBlock(HGLOBAL* handle, void* locked)
{
    if (locked) GlobalUnlock(*handle);
    if (*handle) GlobalFree(*handle);
    *handle = nullptr;
}

void ReleaseValues()
{
    FreeBlock(&g_resources.valuesHandle, g_resources.values);
    g_resources.values = nullptr;
}

void ReleasePcm()
{
    FreeBlock(&g_resources.pcmHandle, g_resources.pcm);
    g_resources.pcm = nullptr;
}

void CloseFiles()
{
    if (g_resources.source) mmioClose(g_resources.source, 0);
    if (g_resources.output) mmioClose(g_resources.output, 0);
    g_resources.source = nullptr;
    g_resources.output = nullptr;
}

void ReleaseAll()
{
    ReleasePcm();
    ReleaseValues();
    CloseFiles();
    g_mixdown.currentBlockBytes = 0;
}

// Releases everything; a temporary file this render created is deleted so
// that no half-written file remains.
bool Fail()
{
    const bool outputOpen = g_resources.output != nullptr;
    ReleaseAll();
    if (outputOpen) DeleteFileA(g_mixdown.tempPath);
    return false;
}

void* AllocateLocked(SIZE_T bytes, HGLOBAL* handle)
{
    *handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    return *handle ? GlobalLock(*handle) : nullptr;
}

HMMIO OpenUnbuffered(char* path, DWORD flags)
{
    HMMIO file = mmioOpenA(path, nullptr, flags | MMIO_ALLOCBUF);
    if (file && mmioSetBuffer(file, nullptr, 0, 0) != 0) {
        mmioClose(file, 0);
        return nullptr;
    }
    return file;
}

bool WriteAll(HMMIO file, const void* bytes, LONG count)
{
    return mmioWrite(file, static_cast<const char*>(bytes), count) == count;
}

bool CreateChunk(HMMIO file, FOURCC id, DWORD size, UINT flags = 0, FOURCC type = 0)
{
    MMCKINFO chunk = {};
    chunk.ckid = id;
    chunk.cksize = size;
    chunk.fccType = type;
    return mmioCreateChunk(file, &chunk, flags) == MMSYSERR_NOERROR;
}

void ReadUserName()
{
    char name[257] = {};  // UNLEN + 1
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size)) name[0] = '\0';
    MixdownUserNameField(name, g_mixdown.userName);
    g_mixdown.namePad = MixdownNamePad(std::strlen(g_mixdown.userName));
}

bool WriteFormatChunk(HMMIO output)
{
    if (!CreateChunk(output, mmioFOURCC('f', 'm', 't', ' '), kMixdownFormatSize)) return false;
    ScopedLocalBlock block(LMEM_FIXED, kMixdownFormatSize);
    unsigned char* record = static_cast<unsigned char*>(block.bytes);
    if (!record) return false;
    MixdownFormatRecord(g_mixdown.sampleRate, record);
    return WriteAll(output, record, kMixdownFormatSize);
}

// Puts the source at the first sample of its data chunk. The search is
// FindRiffChunk, not mmioDescend: the file may have changed since it was
// checked, and a hostile chunk size sends the system's search round for ever.
bool DescendToData(HMMIO source)
{
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (FindRiffChunk(source, &riff, nullptr, MMIO_FINDRIFF) != 0) return false;
    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    return FindRiffChunk(source, &data, &riff, MMIO_FINDCHUNK) == 0;
}

bool WriteU32At(HANDLE file, uint32_t offset, uint32_t value)
{
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD done = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && WriteFile(file, bytes, 4, &done, nullptr) && done == 4;
}

// When less data was written than the headers announce (a source shorter
// than its data chunk says, or a cancelled render), the RIFF and data sizes
// are set to what the closed file really holds. They are written through a
// handle of their own: the multimedia file services seek with a signed
// 32-bit offset, which cannot reach back to the end of more than 2 GiB of
// data, whereas this way the output handle never moves backwards at all and
// the LIST chunk follows the data where it was written. The file's length
// is checked against the corrected sizes first, so a file that does not
// hold what they announce is reported as a failure, never passed on.
bool CorrectSizes(const char* path, uint32_t written, uint32_t ieng)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const uint64_t riffSize = MixdownRiffSize(written, ieng);
    LARGE_INTEGER length = {};
    bool ok = GetFileSizeEx(file, &length) && static_cast<uint64_t>(length.QuadPart) == kMixdownRiffHeaderBytes + riffSize &&
              WriteU32At(file, kMixdownRiffSizeOffset, static_cast<uint32_t>(riffSize)) &&
              WriteU32At(file, kMixdownDataSizeOffset, written);
    if (!CloseHandle(file)) ok = false;
    return ok;
}

bool WriteInfoChunk(HMMIO output)
{
    const uint32_t ieng = MixdownIengSize(g_mixdown.userName);
    char software[kMixdownSoftwareSize];
    MixdownSoftwareField(software);
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char date[kMixdownDateSize];
    MixdownDateField(now.wMonth, now.wDay, now.wYear, date);
    return CreateChunk(output, FOURCC_LIST, MixdownListSize(ieng), MMIO_CREATELIST, mmioFOURCC('I', 'N', 'F', 'O')) &&
           CreateChunk(output, mmioFOURCC('I', 'S', 'F', 'T'), kMixdownSoftwareSize) &&
           WriteAll(output, software, kMixdownSoftwareSize) &&
           CreateChunk(output, mmioFOURCC('I', 'C', 'R', 'D'), kMixdownDateSize) &&
           WriteAll(output, date, kMixdownDateSize) &&
           CreateChunk(output, mmioFOURCC('I', 'E', 'N', 'G'), ieng) &&
           WriteAll(output, g_mixdown.userName, static_cast<LONG>(ieng));
}

}  // namespace

bool StartMixdown(HWND window)
{
    ReleaseAll();  // nothing of an earlier render may stay open

    const SIZE_T valueBytes = static_cast<SIZE_T>(g_mixdown.blockBytes / 2) * sizeof(double);
    g_resources.values = static_cast<double*>(AllocateLocked(valueBytes, &g_resources.valuesHandle));
    if (!g_resources.values) return Fail();
    std::memset(g_resources.values, 0, valueBytes);

    g_resources.source = OpenUnbuffered(g_mixdown.sourcePath, MMIO_READ);
    if (!g_resources.source) return Fail();
    g_resources.output = OpenUnbuffered(g_mixdown.tempPath, MMIO_CREATE | MMIO_WRITE);
    if (!g_resources.output) return Fail();

    g_resources.pcm = static_cast<int16_t*>(AllocateLocked(static_cast<SIZE_T>(g_mixdown.blockBytes), &g_resources.pcmHandle));
    if (!g_resources.pcm) return Fail();

    ReadUserName();
    const uint64_t dataBytes = MixdownOutputDataLength(g_mixdown.dataLength, g_mixdown.mono);
    const uint32_t ieng = MixdownIengSize(g_mixdown.userName);
    if (!MixdownSizesFit(dataBytes, ieng)) return Fail();
    g_mixdown.outputDataLength = static_cast<uint32_t>(dataBytes);
    g_mixdown.bytesWritten = 0;

    HMMIO output = g_resources.output;
    if (!CreateChunk(output, FOURCC_RIFF, static_cast<DWORD>(MixdownRiffSize(dataBytes, ieng)), MMIO_CREATERIFF,
                     mmioFOURCC('W', 'A', 'V', 'E')) ||
        !WriteFormatChunk(output) || !CreateChunk(output, mmioFOURCC('d', 'a', 't', 'a'), g_mixdown.outputDataLength))
        return Fail();

    if (!DescendToData(g_resources.source)) return Fail();

    PrepareEffectModules(g_mixdown.sampleRate);
    g_mixdown.blockNumber = 1;
    g_mixdown.currentBlockBytes = g_mixdown.blockBytes;
    if (!PostMessageA(window, WM_MIXDOWN_STEP, 0, 0)) return Fail();
    return true;
}

bool RenderNextBlock(HWND window)
{
    if (!g_resources.source || !g_resources.output || !g_resources.pcm || !g_resources.values) return Fail();

    const LONG wanted = MixdownBlockReadLength(g_mixdown.dataLength, g_mixdown.readSize, g_mixdown.blockNumber);
    const LONG got = wanted > 0 ? mmioRead(g_resources.source, reinterpret_cast<HPSTR>(g_resources.pcm), wanted) : 0;
    if (got < 0) return Fail();

    const int valueCount = RenderMixdownBlock(g_resources.pcm, got, g_resources.values);
    const LONG outBytes = static_cast<LONG>(valueCount) * 2;
    if (outBytes > 0 && !WriteAll(g_resources.output, g_resources.pcm, outBytes)) return Fail();
    g_mixdown.bytesWritten += static_cast<uint32_t>(outBytes);

    // A full block with more to come keeps the render going; a short read
    // (the end of the data, or of a file shorter than its header says) ends it.
    const bool more = got == g_mixdown.readSize && g_mixdown.blockNumber != g_mixdown.blockCount;
    g_mixdown.currentBlockBytes = more ? got : 0;
    ++g_mixdown.blockNumber;
    if (!PostMessageA(window, WM_MIXDOWN_STEP, 0, 0)) return Fail();
    return true;
}

bool FinishMixdown()
{
    ReleasePcm();
    const bool outputOpen = g_resources.output != nullptr;
    bool ok = !outputOpen || WriteInfoChunk(g_resources.output);
    ReleaseAll();
    const uint32_t written = g_mixdown.bytesWritten;
    if (ok && outputOpen && written != g_mixdown.outputDataLength)
        ok = CorrectSizes(g_mixdown.tempPath, written, MixdownIengSize(g_mixdown.userName));
    if (!ok && outputOpen) DeleteFileA(g_mixdown.tempPath);
    return ok;
}
