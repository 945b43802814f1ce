#pragma once
// The process-wide state of the application: the interface language, the four interface fonts and
// the skin images.

#include <QFont>
#include <QString>

#include "skin/skin_images.h"

namespace voltrane {

extern int g_nLanguage;  // 0..5, as the text tables number languages

extern QFont g_fontLarge;
extern QFont g_fontSmall;
extern QFont g_fontLargeKorean;
extern QFont g_fontSmallKorean;

extern SkinImages g_imgSkin;

// The small or large interface font for `language` (Korean has fonts of its own). Chinese and
// Japanese text takes the CJK face of its language for the characters the interface font lacks, so
// that the kana and the Han characters of one line come from one face at one size.
QFont SmallFont(int language);
QFont LargeFont(int language);

}  // namespace voltrane
