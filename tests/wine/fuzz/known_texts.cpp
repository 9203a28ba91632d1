#include "tests/wine/fuzz/known_texts.h"

#include <windows.h>
#include <mmsystem.h>

#include <iterator>

#include "product_texts.h"

const std::set<std::string>& SourceCheckTexts()
{
    static const std::set<std::string> texts(std::begin(kSourceCheckTexts), std::end(kSourceCheckTexts));
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

template <typename Texts>
std::set<std::string> WithDeviceTexts(const Texts& own)
{
    std::set<std::string> t(std::begin(own), std::end(own));
    t.insert(DeviceTexts().begin(), DeviceTexts().end());
    return t;
}

const std::set<std::string>& PlayerRefillTexts()
{
    static const std::set<std::string> texts = WithDeviceTexts(kPlayerRefillTexts);
    return texts;
}

const std::set<std::string>& PlayerStartTexts()
{
    static const std::set<std::string> texts = WithDeviceTexts(kPlayerTexts);
    return texts;
}
