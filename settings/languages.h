#pragma once
// What each language needs besides its rows in the text tables: its name in the language box, the
// OK label of message boxes, the capture dialogs' note, its interface fonts, the joints of its long
// compound words and the code page of its files made on Windows. A new language is one row here and
// its rows in the text tables.

#include <span>
#include <string_view>

#include "settings/text_tables.h"

namespace voltrane {

// The pair of interface fonts a language is drawn with.
enum class InterfaceFontPair {
    Calibri,  // g_fontLarge, g_fontSmall
    Batang,   // g_fontLargeKorean, g_fontSmallKorean
};

struct LanguageNeeds {
    std::u16string_view name;         // as the language box lists it
    std::u16string_view okLabel;      // the button of a message box
    std::u16string_view captureNote;  // the capture dialogs' note while the desktop keeps its shortcuts
    InterfaceFontPair fonts;
    const char* cjkFace;  // the face for the characters the interface font lacks; null: none needed
    // Compound words of the captions and menus with their joints marked "|": a long word is cut only
    // where its parts meet, so that both halves read as words.
    std::span<const std::u16string_view> wordJoints;
    int codePage;  // the Windows ANSI code page of name files made on Windows in this language
};

inline constexpr std::u16string_view kGermanWordJoints[] = {
    u"Ab|brechen",
    u"Abfrage|rate",
    u"Be|arbeiten",
    u"Bild|schirm|seite",
    u"Doppel|klick|geschwindigkeit",
    u"Ein|farbig",
    u"Eingabe|aufforderung",
    u"Ex|portieren",
    u"Farb|wechsel",
    u"Grund|befehle",
    u"Grund|einstellungen",
    u"Im|portieren",
    u"Makro|einstellungen",
    u"Makro|liste",
    u"Medien|befehle",
    u"System|steuerung",
    u"Über|nehmen",
    u"Um|benennen",
    u"Zeiger|beschleunigung",
    u"Zeiger|geschwindigkeit",
};

// Indexed by language number (see text_tables.h).
inline constexpr LanguageNeeds kLanguageNeeds[kLanguageCount] = {
    {u"简体中文",
     u"确定",
     u"此处无法捕获系统快捷键",
     InterfaceFontPair::Calibri,
     "Noto Sans CJK SC",
     {},
     936},
    {u"繁體中文",
     u"確定",
     u"此處無法擷取系統快速鍵",
     InterfaceFontPair::Calibri,
     "Noto Sans CJK TC",
     {},
     950},
    {u"English",
     u"OK",
     u"System shortcuts cannot be captured here",
     InterfaceFontPair::Calibri,
     nullptr,
     {},
     1252},
    {u"Deutsch", u"OK", u"Systemkürzel können hier nicht erfasst werden", InterfaceFontPair::Calibri,
     nullptr, kGermanWordJoints, 1252},
    {u"日本语",
     u"OK",
     u"ここではシステムのショートカットを取得できません",
     InterfaceFontPair::Calibri,
     "Noto Sans CJK JP",
     {},
     932},
    {u"한국어",
     u"확인",
     u"여기서는 시스템 단축키를 캡처할 수 없습니다",
     InterfaceFontPair::Batang,
     nullptr,
     {},
     949},
};

// The needs of `language`; a language outside 0..5 reads as English.
constexpr const LanguageNeeds& NeedsOf(int language) { return kLanguageNeeds[KnownLanguage(language)]; }

// The Windows ANSI code page of `language`: 936 Simplified Chinese, 950 Traditional Chinese, 1252
// English and German, 932 Japanese, 949 Korean. A language outside 0..5 reads as English.
constexpr int AnsiCodePageOf(int language) { return NeedsOf(language).codePage; }

}  // namespace voltrane
