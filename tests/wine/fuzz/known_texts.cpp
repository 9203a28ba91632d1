#include "tests/wine/fuzz/known_texts.h"

#include <windows.h>
#include <mmsystem.h>

const std::set<std::string>& SourceCheckTexts()
{
    static const std::set<std::string> texts = {
        "Open file error.",
        "This is not a WAVE file.",
        "WAVE file is corrupted.",
        "Out of memory. Unable to lock memory for format chunk.",
        "Failed to lock memory for format chunk.",
        "Failed to read format chunk.",
        "The file is not a PCM file.",
        "WAVE file has no data chunk.",
        "The data chunk has no data.",
        "Invalid file format. QBX supports only 16-bit soundfile with sample rate greater (or equal) than 16000 Hz. ",
        "Invalid file format. QBX supports only mono or stereo soundfile.",
    };
    return texts;
}

const std::set<std::string>& DeviceTexts()
{
    static const std::set<std::string> texts = [] {
        std::set<std::string> t;
        for (UINT code = 1; code < 1024; ++code) {
            char text[256] = {};
            if (waveOutGetErrorTextA(code, text, sizeof text) == MMSYSERR_NOERROR) t.insert(text);
        }
        return t;
    }();
    return texts;
}

const std::set<std::string>& PlayerRefillTexts()
{
    static const std::set<std::string> texts = [] {
        std::set<std::string> t = {
            "Failed to read data1 buffer.",
            "Failed to read data2 buffer.",
            "Not enough memory for header.",
            "Failed to lock memory for header.",
            "Not enough memory for instance data.",
            "Failed to lock memory for instance data.",
        };
        t.insert(DeviceTexts().begin(), DeviceTexts().end());
        return t;
    }();
    return texts;
}

const std::set<std::string>& PlayerStartTexts()
{
    static const std::set<std::string> texts = [] {
        std::set<std::string> t = {
            "Error in opening file.",
            "Internal Buffer cannot be allocated.",
            "This is not a WAV file.",
            "WAV file is corrupted.",
            "Out of memory. Format chunk cannot be allocated.",
            "Out of memory. Failed to lock memory for format chunk.",
            "Failed to read format chunk.",
            "This is not a PCM file.",
            "WAV file has no data chunk.",
            "The data chunk has no data.",
            "Out of memory. Double precision buffer cannot be allocated.",
            "Out of memory. Failed to lock memory for double precision buffer.",
            "Out of memory. Data1 buffer cannot be allocated.",
            "Out of memory. Failed to lock memory for data1 buffer.",
            "Out of memory. Data2 buffer cannot be allocated.",
            "Out of memory. Failed to lock memory for data2 buffer.",
            "Failed to set timer.",
        };
        t.insert(PlayerRefillTexts().begin(), PlayerRefillTexts().end());
        return t;
    }();
    return texts;
}
