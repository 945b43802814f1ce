#include "skin/skin_fonts.h"

#include <QString>
#include <QStringList>
#include <iterator>

namespace voltrane {

QFont g_fontLarge;
QFont g_fontSmall;
QFont g_fontLargeKorean;
QFont g_fontSmallKorean;

namespace {

constexpr int kKorean = 5;
constexpr int kLargePixels = 17;
constexpr int kSmallPixels = 12;

// The CJK face of each language that has one, by language number.
const char* const kCjkFaces[] = {
    "Noto Sans CJK SC", "Noto Sans CJK TC", nullptr, nullptr, "Noto Sans CJK JP", nullptr};

QFont withCjkFace(QFont font, int language) {
    if (language < 0 || language >= static_cast<int>(std::size(kCjkFaces)) || !kCjkFaces[language])
        return font;
    font.setFamilies({font.family(), QString::fromLatin1(kCjkFaces[language])});
    return font;
}

QFont interfaceFont(const char* family, int pixels) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

void CreateInterfaceFonts() {
    g_fontLarge = interfaceFont("Calibri", kLargePixels);
    g_fontSmall = interfaceFont("Calibri", kSmallPixels);
    g_fontLargeKorean = interfaceFont("Batang", kLargePixels);
    g_fontSmallKorean = interfaceFont("Batang", kSmallPixels);
}

QFont SmallFont(int language) {
    return language == kKorean ? g_fontSmallKorean : withCjkFace(g_fontSmall, language);
}

QFont LargeFont(int language) {
    return language == kKorean ? g_fontLargeKorean : withCjkFace(g_fontLarge, language);
}

}  // namespace voltrane
