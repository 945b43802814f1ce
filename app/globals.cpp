#include "app/globals.h"

namespace voltrane {

int g_nLanguage = 0;
int g_nKeyIndex = 0;
QString g_strProgramDir;

QFont g_fontLarge;
QFont g_fontSmall;
QFont g_fontLargeKorean;
QFont g_fontSmallKorean;

SkinImages g_imgSkin;

namespace {

constexpr int kKorean = 5;

}  // namespace

const QFont& SmallFont(int language) { return language == kKorean ? g_fontSmallKorean : g_fontSmall; }

const QFont& LargeFont(int language) { return language == kKorean ? g_fontLargeKorean : g_fontLarge; }

}  // namespace voltrane
