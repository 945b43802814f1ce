#include "skin/skin_fonts.h"

#include <QString>
#include <QStringList>

#include "settings/languages.h"

namespace voltrane {

QFont g_fontLarge;
QFont g_fontSmall;
QFont g_fontLargeKorean;
QFont g_fontSmallKorean;

namespace {

constexpr int kLargePixels = 17;
constexpr int kSmallPixels = 12;

// `font`, or for a language with a CJK face, `font` followed by that face.
QFont withCjkFace(QFont font, int language) {
    const char* face = NeedsOf(language).cjkFace;
    if (!face) return font;
    font.setFamilies({font.family(), QString::fromLatin1(face)});
    return font;
}

bool drawnWithBatang(int language) { return NeedsOf(language).fonts == InterfaceFontPair::Batang; }

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
    return drawnWithBatang(language) ? g_fontSmallKorean : withCjkFace(g_fontSmall, language);
}

QFont LargeFont(int language) {
    return drawnWithBatang(language) ? g_fontLargeKorean : withCjkFace(g_fontLarge, language);
}

}  // namespace voltrane
