#include "widgets/intro_banner.h"

#include <cstring>

const char kBannerLine1[] = "QBX  v.1.5    ";
const char kBannerLine2[] = "  ZANTIL Soft";

IntroFrame IntroTick(IntroBanner* banner)
{
    const int length1 = static_cast<int>(std::strlen(kBannerLine1));
    const int length2 = static_cast<int>(std::strlen(kBannerLine2));
    IntroFrame frame;
    frame.line1Chars = banner->line1Counter - 1;
    frame.line2Chars = banner->line2Counter - 1;
    frame.finished = banner->line1Counter > length1 && banner->line2Counter > length2;
    if (frame.finished) {
        *banner = kIntroStart;
        return frame;
    }
    if (length1 >= banner->line1Counter) ++banner->line1Counter;
    if (length2 >= banner->line2Counter) ++banner->line2Counter;
    return frame;
}
