#include "app/globals.h"

#include <iterator>

namespace voltrane {

int g_nLanguage = 0;

QFont g_fontLarge;
QFont g_fontSmall;
QFont g_fontLargeKorean;
QFont g_fontSmallKorean;

SkinImages g_imgSkin;

namespace {

constexpr int kKorean = 5;

// The CJK face of each language that has one, by language number.
const char* const kCjkFaces[] = {
    "Noto Sans CJK SC", "Noto Sans CJK TC", nullptr, nullptr, "Noto Sans CJK JP", nullptr};

QFont withCjkFace(QFont font, int language) {
    if (language < 0 || language >= static_cast<int>(std::size(kCjkFaces)) || !kCjkFaces[language])
        return font;
    font.setFamilies({font.family(), QString::fromLatin1(kCjkFaces[language])});
    return font;
}

}  // namespace

QFont SmallFont(int language) {
    return language == kKorean ? g_fontSmallKorean : withCjkFace(g_fontSmall, language);
}

QFont LargeFont(int language) {
    return language == kKorean ? g_fontLargeKorean : withCjkFace(g_fontLarge, language);
}

}  // namespace voltrane
