#pragma once
// The four interface fonts every skinned window draws its text with: Calibri for most languages,
// Batang for Korean, each in a large and a small size.

#include <QFont>

namespace voltrane {

extern QFont g_fontLarge;
extern QFont g_fontSmall;
extern QFont g_fontLargeKorean;
extern QFont g_fontSmallKorean;

// Creates the four fonts; start-up calls it before any window is drawn.
void CreateInterfaceFonts();

// The small or large interface font for `language` (Korean has fonts of its own). Chinese and
// Japanese text takes the CJK face of its language for the characters the interface font lacks, so
// that the kana and the Han characters of one line come from one face at one size.
QFont SmallFont(int language);
QFont LargeFont(int language);

}  // namespace voltrane
