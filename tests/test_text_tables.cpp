// Checks the shipped text tables (settings/text_tables.cpp) for the rules they must keep: their shapes,
// every fixed text of the program, the rows that must agree or stay empty across languages, the shared
// profile keys, the painter's caption markers and the fallbacks of GetText.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "settings/languages.h"
#include "settings/text_tables.h"

namespace voltrane {
namespace {

constexpr int kSimplifiedChinese = 0;
constexpr int kTraditionalChinese = 1;
constexpr int kGerman = 3;
constexpr int kJapanese = 4;
constexpr int kKorean = 5;

const char* const kLanguageNames[kLanguageCount] = {
    "SimplifiedChinese", "TraditionalChinese", "English", "German", "Japanese", "Korean"};

struct TableInfo {
    TextTable table;
    const char* name;
    int languages;
    int rows;
    int width;
};

// The shape of every table.
constexpr TableInfo kTables[] = {
    {TextTable::Main, "Main", 6, 136, 60},
    {TextTable::ButtonFunction, "ButtonFunction", 6, 46, 40},
    {TextTable::Message, "Message", 6, 17, 40},
    {TextTable::MacroLimit, "MacroLimit", 6, 2, 80},
    {TextTable::MacroEditor, "MacroEditor", 6, 18, 40},
    {TextTable::MacroEvent, "MacroEvent", 6, 5, 40},
    {TextTable::ChoiceTitles, "ChoiceTitles", 3, 6, 100},
    {TextTable::ChoiceMouseKeys, "ChoiceMouseKeys", 3, 7, 30},
    {TextTable::ChoiceEvents, "ChoiceEvents", 3, 5, 40},
    {TextTable::SingleKeyButtons, "SingleKeyButtons", 3, 3, 20},
    {TextTable::Notice, "Notice", 6, 7, 120},
    {TextTable::Question, "Question", 6, 6, 60},
    {TextTable::ControlName, "ControlName", 6, 21, 40},
};

const char* tableName(TextTable table) {
    for (const TableInfo& info : kTables) {
        if (info.table == table) {
            return info.name;
        }
    }
    return "?";
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// "Main row 10, German: " Beleuchtung"" for failure messages.
std::string where(TextTable table, int row, int language) {
    return std::string(tableName(table)) + " row " + std::to_string(row) + ", " +
           (language >= 0 && language < kLanguageCount ? kLanguageNames[language] : "?") + ": \"" +
           toUtf8(GetText(table, row, language)) + "\"";
}

// A profile key as the INI functions compare it: without surrounding blanks and without case.
std::u16string keyOf(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    std::u16string key(text);
    for (char16_t& c : key) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            c = static_cast<char16_t>(c + 0x20);
        }
    }
    return key;
}

bool isCjkIdeograph(char16_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF); }

bool isChineseText(std::u16string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char16_t c : text) {
        if (!isCjkIdeograph(c)) {
            return false;
        }
    }
    return true;
}

std::u16string numbered(std::u16string_view stem, int n) {
    std::u16string text(stem);
    for (char c : std::to_string(n)) {
        text += static_cast<char16_t>(c);
    }
    return text;
}

// Every fixed text of the program, by table, row and language. The English rows listed here are all
// the non-empty English rows.
struct Quoted {
    TextTable table;
    int row;
    int language;
    std::u16string_view text;
};

const Quoted kQuoted[] = {
    {TextTable::Main, 0, kEnglish, u"Button1"},
    {TextTable::Main, 1, kEnglish, u"Button2"},
    {TextTable::Main, 2, kEnglish, u"Button3"},
    {TextTable::Main, 3, kEnglish, u"Button4"},
    {TextTable::Main, 4, kEnglish, u"Button5"},
    {TextTable::Main, 5, kEnglish, u"Button6"},
    {TextTable::Main, 6, kEnglish, u"Button7"},
    {TextTable::Main, 10, kEnglish, u" Lighting"},
    {TextTable::Main, 11, kEnglish, u" Report Rate"},
    {TextTable::Main, 12, kEnglish, u" DPI level"},
    {TextTable::Main, 13, kEnglish, u"500     1000      2000      3000     4000"},
    {TextTable::Main, 14, kEnglish, u" Single"},
    {TextTable::Main, 15, kEnglish, u" Colorshift"},
    {TextTable::Main, 16, kEnglish, u" Breathing"},
    {TextTable::Main, 20, kEnglish, u"125Hz"},
    {TextTable::Main, 21, kEnglish, u"250Hz"},
    {TextTable::Main, 22, kEnglish, u"500Hz"},
    {TextTable::Main, 23, kEnglish, u"1000Hz"},
    {TextTable::Main, 24, kEnglish, u"Off"},
    {TextTable::Main, 25, kEnglish, u"On"},
    {TextTable::Main, 28, kEnglish, u"Off"},
    {TextTable::Main, 29, kEnglish, u"On"},
    {TextTable::Main, 32, kEnglish, u"Off"},
    {TextTable::Main, 33, kEnglish, u"On"},
    {TextTable::Main, 36, kEnglish, u"HShine"},
    {TextTable::Main, 37, kEnglish, u"RLED"},
    {TextTable::Main, 38, kEnglish, u"YLED"},
    {TextTable::Main, 39, kEnglish, u"GLED"},
    {TextTable::Main, 51, kEnglish, u"S"},
    {TextTable::Main, 55, kEnglish, u"XDpi"},
    {TextTable::Main, 57, kEnglish, u" Cursor Speed"},
    {TextTable::Main, 58, kEnglish, u"Vertical Scrolling"},
    {TextTable::Main, 59, kEnglish, u"Double-click speed"},
    {TextTable::Main, 60, kEnglish, u"Macro Setting"},
    {TextTable::Main, 61, kEnglish, u"Name"},
    {TextTable::Main, 62, kEnglish, u"Marco message"},
    {TextTable::Main, 63, kEnglish, u"Macro list"},
    {TextTable::Main, 64, kEnglish, u"Import"},
    {TextTable::Main, 65, kEnglish, u" Save"},
    {TextTable::Main, 66, kEnglish, u" Export"},
    {TextTable::Main, 67, kEnglish, u"Delete"},
    {TextTable::Main, 68, kEnglish, u"Edit"},
    {TextTable::Main, 69, kEnglish, u"Enhance pointer precision"},
    {TextTable::Main, 71, kEnglish, u"One screen at a time"},
    {TextTable::Main, 78, kEnglish, u"S"},
    {TextTable::Main, 79, kEnglish, u"S"},
    {TextTable::Main, 80, kEnglish, u"S"},
    {TextTable::Main, 82, kEnglish, u"XSpeed"},
    {TextTable::Main, 83, kEnglish, u"XScroll"},
    {TextTable::Main, 84, kEnglish, u"XDblClk"},
    {TextTable::Main, 88, kEnglish, u"High"},
    {TextTable::Main, 89, kEnglish, u"Middle"},
    {TextTable::Main, 90, kEnglish, u"Low"},
    {TextTable::Main, 91, kEnglish, u"Off"},
    {TextTable::Main, 92, kEnglish, u"Quick"},
    {TextTable::Main, 93, kEnglish, u"Middle"},
    {TextTable::Main, 94, kEnglish, u"Slow"},
    {TextTable::Main, 95, kEnglish, u"Off"},
    {TextTable::Main, 97, kEnglish, u"燈光亮度設置"},
    {TextTable::Main, 98, kEnglish, u"呼吸頻率設置"},
    {TextTable::Main, 99, kEnglish, u"自定義顏色"},
    {TextTable::Main, 100, kEnglish, u"持續顏色"},
    {TextTable::Main, 104, kEnglish, u"C0"},
    {TextTable::Main, 105, kEnglish, u"C1"},
    {TextTable::Main, 106, kEnglish, u"C2"},
    {TextTable::Main, 107, kEnglish, u"C3"},
    {TextTable::Main, 108, kEnglish, u"C4"},
    {TextTable::Main, 109, kEnglish, u"C5"},
    {TextTable::Main, 110, kEnglish, u"C6"},
    {TextTable::Main, 111, kEnglish, u"C7"},
    {TextTable::Main, 112, kEnglish, u"C8"},
    {TextTable::Main, 114, kEnglish, u" Setting"},
    {TextTable::Main, 115, kEnglish, u" Setting1"},
    {TextTable::Main, 116, kEnglish, u" Setting2"},
    {TextTable::Main, 117, kEnglish, u" Setting3"},
    {TextTable::Main, 118, kEnglish, u" Setting4"},
    {TextTable::Main, 119, kEnglish, u" Setting5"},
    {TextTable::Main, 120, kEnglish, u"Load setting"},
    {TextTable::Main, 121, kEnglish, u" Save setting"},
    {TextTable::Main, 122, kEnglish, u"Default"},
    {TextTable::Main, 125, kEnglish, u" Basic config"},
    {TextTable::Main, 126, kEnglish, u"Advanced config"},
    {TextTable::Main, 128, kEnglish, u"OK"},
    {TextTable::Main, 129, kEnglish, u"Apply"},
    {TextTable::Main, 130, kEnglish, u" Cancel"},
    {TextTable::Main, 132, kEnglish, u"Macros Files"},
    {TextTable::Main, 133, kEnglish, u"Keyboard Settings"},
    {TextTable::Main, 134, kEnglish, u"Macros Settings"},
    {TextTable::Main, 135, kEnglish, u"Macros Names"},
    {TextTable::Main, 10, kSimplifiedChinese, u"背光设定"},
    {TextTable::Main, 10, kTraditionalChinese, u"背光設定"},
    {TextTable::Main, 10, kGerman, u" Beleuchtung"},
    {TextTable::Main, 10, kJapanese, u"照明"},
    {TextTable::Main, 10, kKorean, u" 조명"},
    {TextTable::Main, 133, kSimplifiedChinese, u"按键设置"},
    {TextTable::Main, 133, kTraditionalChinese, u"按鍵設置"},
    {TextTable::Main, 133, kGerman, u"按键设置"},
    {TextTable::Main, 133, kJapanese, u"ボタンセット"},
    {TextTable::Main, 133, kKorean, u"버튼 을 설치"},
    {TextTable::ButtonFunction, 1, kEnglish, u"LEFT"},
    {TextTable::ButtonFunction, 2, kEnglish, u"RIGHT"},
    {TextTable::ButtonFunction, 3, kEnglish, u"MID"},
    {TextTable::ButtonFunction, 4, kEnglish, u"Backward"},
    {TextTable::ButtonFunction, 5, kEnglish, u"FORWARD"},
    {TextTable::ButtonFunction, 6, kEnglish, u"DoubleClick"},
    {TextTable::ButtonFunction, 7, kEnglish, u"Keyboard"},
    {TextTable::ButtonFunction, 8, kEnglish, u"Macro"},
    {TextTable::ButtonFunction, 9, kEnglish, u"Basic command"},
    {TextTable::ButtonFunction, 10, kEnglish, u"AdvancedCommand"},
    {TextTable::ButtonFunction, 11, kEnglish, u"MediaCommand"},
    {TextTable::ButtonFunction, 12, kEnglish, u"Disable"},
    {TextTable::ButtonFunction, 13, kEnglish, u"Copy"},
    {TextTable::ButtonFunction, 14, kEnglish, u"Paste"},
    {TextTable::ButtonFunction, 15, kEnglish, u"Cut"},
    {TextTable::ButtonFunction, 16, kEnglish, u"SelectAll"},
    {TextTable::ButtonFunction, 17, kEnglish, u"Search"},
    {TextTable::ButtonFunction, 18, kEnglish, u"New"},
    {TextTable::ButtonFunction, 19, kEnglish, u"Print"},
    {TextTable::ButtonFunction, 20, kEnglish, u"Save"},
    {TextTable::ButtonFunction, 21, kEnglish, u"Undo"},
    {TextTable::ButtonFunction, 22, kEnglish, u"IE Key"},
    {TextTable::ButtonFunction, 23, kEnglish, u"Start"},
    {TextTable::ButtonFunction, 24, kEnglish, u"DPI+"},
    {TextTable::ButtonFunction, 25, kEnglish, u"DPI-"},
    {TextTable::ButtonFunction, 26, kEnglish, u"Switch DPI"},
    {TextTable::ButtonFunction, 27, kEnglish, u"Alt+Tab"},
    {TextTable::ButtonFunction, 28, kEnglish, u"Close"},
    {TextTable::ButtonFunction, 29, kEnglish, u"Control Panel"},
    {TextTable::ButtonFunction, 30, kEnglish, u"CMD"},
    {TextTable::ButtonFunction, 31, kEnglish, u"Desktop"},
    {TextTable::ButtonFunction, 32, kEnglish, u"LockComputer"},
    {TextTable::ButtonFunction, 33, kEnglish, u"Play/Pause"},
    {TextTable::ButtonFunction, 34, kEnglish, u"Stop"},
    {TextTable::ButtonFunction, 35, kEnglish, u"Next Track"},
    {TextTable::ButtonFunction, 36, kEnglish, u"Last Track"},
    {TextTable::ButtonFunction, 37, kEnglish, u"Vol+"},
    {TextTable::ButtonFunction, 38, kEnglish, u"Vol-"},
    {TextTable::ButtonFunction, 39, kEnglish, u"Mute"},
    {TextTable::ButtonFunction, 40, kEnglish, u"Setting Save As"},
    {TextTable::ButtonFunction, 41, kEnglish, u"Save Setting1"},
    {TextTable::ButtonFunction, 42, kEnglish, u"Save Setting2"},
    {TextTable::ButtonFunction, 43, kEnglish, u"Save Setting3"},
    {TextTable::ButtonFunction, 44, kEnglish, u"Save Setting4"},
    {TextTable::ButtonFunction, 45, kEnglish, u"Save Setting5"},
    {TextTable::ButtonFunction, 40, kGerman, u"Speichern unter"},
    {TextTable::ButtonFunction, 41, kGerman, u"Sparen-1"},
    {TextTable::ButtonFunction, 42, kGerman, u"Sparen-2"},
    {TextTable::ButtonFunction, 43, kGerman, u"Sparen-3"},
    {TextTable::ButtonFunction, 44, kGerman, u"Sparen-4"},
    {TextTable::ButtonFunction, 45, kGerman, u"Sparen-5"},
    {TextTable::Message, 0, kEnglish, u"Language"},
    {TextTable::Message, 1, kEnglish, u"Finish"},
    {TextTable::Message, 2, kEnglish, u"Error"},
    {TextTable::Message, 3, kEnglish, u"Fail"},
    {TextTable::Message, 4, kEnglish, u"Succeed"},
    {TextTable::Message, 5, kEnglish, u"Download failed"},
    {TextTable::Message, 6, kEnglish, u"The file has been saved"},
    {TextTable::Message, 7, kEnglish, u"The file save failed"},
    {TextTable::Message, 8, kEnglish, u"Failed to set datafor!"},
    {TextTable::Message, 9, kEnglish, u"Failed to get the data!"},
    {TextTable::Message, 10, kEnglish, u"Download the program failure!"},
    {TextTable::Message, 11, kEnglish, u"Unable to open the equipment!"},
    {TextTable::Message, 12, kEnglish, u"The files have been saved"},
    {TextTable::Message, 13, kEnglish, u"The file save failed"},
    {TextTable::Message, 14, kEnglish, u"Download the program to complete"},
    {TextTable::Message, 15, kEnglish, u"Download the program failure!"},
    {TextTable::Message, 16, kEnglish, u"file is missing"},
    {TextTable::Message, 3, kSimplifiedChinese, u"失败"},
    {TextTable::Message, 3, kTraditionalChinese, u"失敗"},
    {TextTable::Message, 3, kGerman, u"Scheitern"},
    {TextTable::Message, 3, kJapanese, u"失败"},
    {TextTable::Message, 3, kKorean, u"실패"},
    {TextTable::Message, 5, kSimplifiedChinese, u"下载失败"},
    {TextTable::Message, 5, kTraditionalChinese, u"下載失敗"},
    {TextTable::Message, 5, kGerman, u"Der download IST gescheitert"},
    {TextTable::Message, 5, kJapanese, u"ダウンロードに失败し"},
    {TextTable::Message, 5, kKorean, u"다운 로 드 실패"},
    {TextTable::Message, 8, kSimplifiedChinese, u"设置数据失败！"},
    {TextTable::Message, 8, kTraditionalChinese, u"设置数据失敗！"},
    {TextTable::Message, 8, kGerman, u"Werden die Daten!"},
    {TextTable::Message, 8, kJapanese, u"データの失敗に設置され！"},
    {TextTable::Message, 8, kKorean, u"설치 데이터 실패"},
    {TextTable::Message, 9, kSimplifiedChinese, u"获取数据失败！"},
    {TextTable::Message, 9, kTraditionalChinese, u"獲取信息失敗！"},
    {TextTable::Message, 9, kGerman, u"Die Daten nicht!"},
    {TextTable::Message, 9, kJapanese, u"入手したデータが失敗！"},
    {TextTable::Message, 9, kKorean, u"입수 데이터 실패"},
    {TextTable::Message, 11, kSimplifiedChinese, u"无法打开设备！"},
    {TextTable::Message, 11, kTraditionalChinese, u"無法打開設備！"},
    {TextTable::Message, 11, kGerman, u"Nicht öffnen können, Gerät!"},
    {TextTable::Message, 11, kJapanese, u"設備を打開できない！"},
    {TextTable::Message, 11, kKorean, u"열 설비 실패"},
    {TextTable::Message, 14, kSimplifiedChinese, u"下载程序完成！"},
    {TextTable::Message, 14, kTraditionalChinese, u"下載程序完成！"},
    {TextTable::Message, 14, kGerman, u"Download abgeschlossen"},
    {TextTable::Message, 14, kJapanese, u"下载完成！"},
    {TextTable::Message, 14, kKorean, u"다운 로 드 완성"},
    {TextTable::Message, 15, kSimplifiedChinese, u"下载程序失败！"},
    {TextTable::Message, 15, kTraditionalChinese, u"下載程序失敗！"},
    {TextTable::Message, 15, kGerman, u"Der download IST gescheitert!"},
    {TextTable::Message, 15, kJapanese, u"ダウンロードに失败し！"},
    {TextTable::Message, 15, kKorean, u"다운 로 드 실패"},
    {TextTable::Message, 16, kSimplifiedChinese, u"丢失文件"},
    {TextTable::Message, 16, kTraditionalChinese, u"丟失文件"},
    {TextTable::Message, 16, kGerman, u"Die fehlenden dateien"},
    {TextTable::Message, 16, kJapanese, u"書類が不足している"},
    {TextTable::Message, 16, kKorean, u"문서 부재"},
    {TextTable::MacroLimit, 0, kSimplifiedChinese, u"提示"},
    {TextTable::MacroLimit, 0, kTraditionalChinese, u"提示"},
    {TextTable::MacroLimit, 0, kEnglish, u"Message"},
    {TextTable::MacroLimit, 0, kGerman, u"Prompt"},
    {TextTable::MacroLimit, 0, kJapanese, u"プロンプト"},
    {TextTable::MacroLimit, 0, kKorean, u"신속한"},
    {TextTable::MacroLimit, 1, kSimplifiedChinese, u"长度已达上限!"},
    {TextTable::MacroLimit, 1, kTraditionalChinese, u"長度已達上限!"},
    {TextTable::MacroLimit, 1, kEnglish, u"You have reached the maximum!"},
    {TextTable::MacroLimit, 1, kGerman, u"Sie haben die Höchstgrenze erreicht!"},
    {TextTable::MacroLimit, 1, kJapanese, u"上限に到達しました！"},
    {TextTable::MacroLimit, 1, kKorean, u"최대치에도달하셨습니다!"},
    {TextTable::MacroEditor, 2, kSimplifiedChinese, u"按下后插入延时"},
    {TextTable::MacroEditor, 2, kTraditionalChinese, u"按下后插入延時"},
    {TextTable::MacroEditor, 2, kEnglish, u"Insert delay after button down"},
    {TextTable::MacroEditor, 2, kGerman, u"Legen Verzögerung nach Taste gedrückt"},
    {TextTable::MacroEditor, 2, kJapanese, u"下ボタンの後に遅延を挿入し"},
    {TextTable::MacroEditor, 2, kKorean, u"아래 버튼 후 지연을 삽입"},
    {TextTable::MacroEditor, 3, kSimplifiedChinese, u"弹起后插入延时"},
    {TextTable::MacroEditor, 3, kTraditionalChinese, u"彈起后插入延時"},
    {TextTable::MacroEditor, 3, kEnglish, u"Insert delay after button up"},
    {TextTable::MacroEditor, 3, kGerman, u"Legen Verzögerung nach Taste nach oben"},
    {TextTable::MacroEditor, 3, kJapanese, u"ボタンアップ後の遅延を挿入し"},
    {TextTable::MacroEditor, 3, kKorean, u"버튼을 위로 한 후 지연을 삽입"},
    {TextTable::MacroEditor, 4, kSimplifiedChinese, u"插入延时"},
    {TextTable::MacroEditor, 4, kTraditionalChinese, u"插入延時"},
    {TextTable::MacroEditor, 4, kEnglish, u"Inster delay"},
    {TextTable::MacroEditor, 4, kGerman, u"Verzögerung einfügen"},
    {TextTable::MacroEditor, 4, kJapanese, u"挿入遅延"},
    {TextTable::MacroEditor, 4, kKorean, u"삽입 지연"},
    {TextTable::MacroEditor, 5, kSimplifiedChinese, u"删除"},
    {TextTable::MacroEditor, 5, kTraditionalChinese, u"刪除"},
    {TextTable::MacroEditor, 5, kEnglish, u"Delete"},
    {TextTable::MacroEditor, 5, kGerman, u"löschen"},
    {TextTable::MacroEditor, 5, kJapanese, u"削除"},
    {TextTable::MacroEditor, 5, kKorean, u"삭제"},
    {TextTable::MacroEditor, 6, kSimplifiedChinese, u"清除"},
    {TextTable::MacroEditor, 6, kTraditionalChinese, u"清除"},
    {TextTable::MacroEditor, 6, kEnglish, u"Clean"},
    {TextTable::MacroEditor, 6, kGerman, u"Sauber"},
    {TextTable::MacroEditor, 6, kJapanese, u"クリーン"},
    {TextTable::MacroEditor, 6, kKorean, u"깨끗한"},
    {TextTable::MacroEditor, 7, kSimplifiedChinese, u"滑鼠左键"},
    {TextTable::MacroEditor, 7, kTraditionalChinese, u"滑鼠左鍵"},
    {TextTable::MacroEditor, 7, kEnglish, u"Left"},
    {TextTable::MacroEditor, 7, kGerman, u"links"},
    {TextTable::MacroEditor, 7, kJapanese, u"左ボタン"},
    {TextTable::MacroEditor, 7, kKorean, u"왼쪽 버튼"},
    {TextTable::MacroEditor, 8, kSimplifiedChinese, u"滑鼠右键"},
    {TextTable::MacroEditor, 8, kTraditionalChinese, u"滑鼠右鍵"},
    {TextTable::MacroEditor, 8, kEnglish, u"Right"},
    {TextTable::MacroEditor, 8, kGerman, u"Recht"},
    {TextTable::MacroEditor, 8, kJapanese, u"右ボタン"},
    {TextTable::MacroEditor, 8, kKorean, u"마우스 세계 에는"},
    {TextTable::MacroEditor, 9, kSimplifiedChinese, u"滑鼠中键"},
    {TextTable::MacroEditor, 9, kTraditionalChinese, u"滑鼠中鍵"},
    {TextTable::MacroEditor, 9, kEnglish, u"Middle"},
    {TextTable::MacroEditor, 9, kGerman, u"Mittel-"},
    {TextTable::MacroEditor, 9, kJapanese, u"真ん中のボタン"},
    {TextTable::MacroEditor, 9, kKorean, u"가운데 버튼"},
    {TextTable::MacroEditor, 10, kSimplifiedChinese, u"滑鼠键五"},
    {TextTable::MacroEditor, 10, kTraditionalChinese, u"滑鼠鍵五"},
    {TextTable::MacroEditor, 10, kEnglish, u"5th"},
    {TextTable::MacroEditor, 10, kGerman, u"5.Taste"},
    {TextTable::MacroEditor, 10, kJapanese, u"5ボタン"},
    {TextTable::MacroEditor, 10, kKorean, u"5 버튼"},
    {TextTable::MacroEditor, 11, kSimplifiedChinese, u"滑鼠键四"},
    {TextTable::MacroEditor, 11, kTraditionalChinese, u"滑鼠鍵四"},
    {TextTable::MacroEditor, 11, kEnglish, u"4th"},
    {TextTable::MacroEditor, 11, kGerman, u"4.Taste"},
    {TextTable::MacroEditor, 11, kJapanese, u"4ボタン"},
    {TextTable::MacroEditor, 11, kKorean, u"4 버튼"},
    {TextTable::MacroEditor, 12, kSimplifiedChinese, u"滚轮上滚"},
    {TextTable::MacroEditor, 12, kTraditionalChinese, u"滾輪上滾"},
    {TextTable::MacroEditor, 12, kEnglish, u"Scroll up"},
    {TextTable::MacroEditor, 12, kGerman, u"Hochscrollen"},
    {TextTable::MacroEditor, 12, kJapanese, u"スクロールアップ"},
    {TextTable::MacroEditor, 12, kKorean, u"위로 스크롤"},
    {TextTable::MacroEditor, 13, kSimplifiedChinese, u"滚轮下滚"},
    {TextTable::MacroEditor, 13, kTraditionalChinese, u"滾輪下滾"},
    {TextTable::MacroEditor, 13, kEnglish, u"Scroll down"},
    {TextTable::MacroEditor, 13, kGerman, u"Runterscrollen"},
    {TextTable::MacroEditor, 13, kJapanese, u"スクロールダウン"},
    {TextTable::MacroEditor, 13, kKorean, u"아래로 스크롤"},
    {TextTable::MacroEditor, 16, kSimplifiedChinese, u"确定"},
    {TextTable::MacroEditor, 16, kTraditionalChinese, u"確定"},
    {TextTable::MacroEditor, 16, kEnglish, u"OK"},
    {TextTable::MacroEditor, 16, kGerman, u"OK"},
    {TextTable::MacroEditor, 16, kJapanese, u"OK"},
    {TextTable::MacroEditor, 16, kKorean, u"확인"},
    {TextTable::MacroEditor, 17, kSimplifiedChinese, u"取消"},
    {TextTable::MacroEditor, 17, kTraditionalChinese, u"取消"},
    {TextTable::MacroEditor, 17, kEnglish, u"Cancel"},
    {TextTable::MacroEditor, 17, kGerman, u"Stornieren"},
    {TextTable::MacroEditor, 17, kJapanese, u"キャンセル"},
    {TextTable::MacroEditor, 17, kKorean, u"취소"},
    {TextTable::MacroEvent, 0, kSimplifiedChinese, u"按下"},
    {TextTable::MacroEvent, 0, kTraditionalChinese, u"按下"},
    {TextTable::MacroEvent, 0, kEnglish, u"Key Down"},
    {TextTable::MacroEvent, 0, kGerman, u"Drücken sie die"},
    {TextTable::MacroEvent, 0, kJapanese, u"おうか"},
    {TextTable::MacroEvent, 0, kKorean, u"버튼"},
    {TextTable::MacroEvent, 1, kSimplifiedChinese, u"彈起"},
    {TextTable::MacroEvent, 1, kTraditionalChinese, u"彈起"},
    {TextTable::MacroEvent, 1, kEnglish, u"Key Up"},
    {TextTable::MacroEvent, 1, kGerman, u"-Taste."},
    {TextTable::MacroEvent, 1, kJapanese, u"ワンバウンドし"},
    {TextTable::MacroEvent, 1, kKorean, u"노면"},
    {TextTable::MacroEvent, 2, kSimplifiedChinese, u"延時"},
    {TextTable::MacroEvent, 2, kTraditionalChinese, u"延時"},
    {TextTable::MacroEvent, 2, kEnglish, u"Delay"},
    {TextTable::MacroEvent, 2, kGerman, u"Verzögerung"},
    {TextTable::MacroEvent, 2, kJapanese, u"遅れ"},
    {TextTable::MacroEvent, 2, kKorean, u"지연"},
    {TextTable::MacroEvent, 3, kSimplifiedChinese, u"滑鼠"},
    {TextTable::MacroEvent, 3, kTraditionalChinese, u"滑鼠"},
    {TextTable::MacroEvent, 3, kEnglish, u"Mouse"},
    {TextTable::MacroEvent, 3, kGerman, u"Die Maus"},
    {TextTable::MacroEvent, 3, kJapanese, u"マウス"},
    {TextTable::MacroEvent, 3, kKorean, u"마우스"},
    {TextTable::MacroEvent, 4, kSimplifiedChinese, u"按鍵按下"},
    {TextTable::MacroEvent, 4, kTraditionalChinese, u"按鍵按下"},
    {TextTable::MacroEvent, 4, kEnglish, u"Hold down the button"},
    {TextTable::MacroEvent, 4, kGerman, u"Drücken der Taste"},
    {TextTable::MacroEvent, 4, kJapanese, u"ボタンを押し"},
    {TextTable::MacroEvent, 4, kKorean, u"배열 을 눌러"},
    {TextTable::ChoiceTitles, 0, kSimplifiedChinese, u"宏列表"},
    {TextTable::ChoiceTitles, 0, kTraditionalChinese, u"巨集列表"},
    {TextTable::ChoiceTitles, 0, kEnglish, u"Macros List"},
    {TextTable::ChoiceTitles, 1, kSimplifiedChinese, u"宏设置"},
    {TextTable::ChoiceTitles, 1, kTraditionalChinese, u"巨集設置"},
    {TextTable::ChoiceTitles, 1, kEnglish, u"Macros Settings"},
    {TextTable::ChoiceTitles, 4, kSimplifiedChinese, u"确定"},
    {TextTable::ChoiceTitles, 4, kTraditionalChinese, u"確定"},
    {TextTable::ChoiceTitles, 4, kEnglish, u"OK"},
    {TextTable::ChoiceTitles, 5, kSimplifiedChinese, u"取消"},
    {TextTable::ChoiceTitles, 5, kTraditionalChinese, u"取消"},
    {TextTable::ChoiceTitles, 5, kEnglish, u"Cancel"},
    {TextTable::ChoiceMouseKeys, 0, kEnglish, u"Left"},
    {TextTable::ChoiceMouseKeys, 1, kEnglish, u"Right"},
    {TextTable::ChoiceMouseKeys, 2, kEnglish, u"Middle"},
    {TextTable::ChoiceMouseKeys, 3, kEnglish, u"5th"},
    {TextTable::ChoiceMouseKeys, 4, kEnglish, u"4th"},
    {TextTable::ChoiceMouseKeys, 5, kEnglish, u"Scroll up"},
    {TextTable::ChoiceMouseKeys, 6, kEnglish, u"Scroll down"},
    {TextTable::ChoiceEvents, 0, kEnglish, u"Key Down"},
    {TextTable::ChoiceEvents, 1, kEnglish, u"Key Up"},
    {TextTable::ChoiceEvents, 2, kEnglish, u"Delay"},
    {TextTable::ChoiceEvents, 3, kEnglish, u"Mouse"},
    {TextTable::ChoiceEvents, 4, kEnglish, u"Hold down the button"},
    {TextTable::SingleKeyButtons, 0, kSimplifiedChinese, u"确定"},
    {TextTable::SingleKeyButtons, 0, kTraditionalChinese, u"確定"},
    {TextTable::SingleKeyButtons, 0, kEnglish, u"OK"},
    {TextTable::SingleKeyButtons, 1, kSimplifiedChinese, u"取消"},
    {TextTable::SingleKeyButtons, 1, kTraditionalChinese, u"取消"},
    {TextTable::SingleKeyButtons, 1, kEnglish, u" Cancel"},
    {TextTable::Notice, kNoticeMacroTooLong, kEnglish,
     u"The macro is too long for a mouse button: at most 25 key or mouse actions fit (pauses are free)."},
    {TextTable::Notice, kNoticeButtonDoesNotFit, kEnglish,
     u"Button %d no longer fits into the mouse. Shorten the macros and apply again."},
    {TextTable::Notice, kNoticeRecordCount, kEnglish, u"Records: %d (a button holds 25)"},
    {TextTable::Notice, kNoticeTooManyRecords, kEnglish,
     u"Records: %d, too many for a button (25 at most)"},
    {TextTable::Notice, kNoticeFolderNotWritable, kEnglish,
     u"Nothing can be saved in this folder, so profiles, macros and settings will not be kept:"},
    {TextTable::Notice, kNoticeInstanceNoAnswer, kEnglish,
     u"The program is already running on this folder but does not answer. Close it first:"},
    {TextTable::Notice, kNoticeAccessDenied, kEnglish,
     u"The mouse was found, but you may not open it: install the udev rule 70-voltrane.rules and replug "
     u"the mouse."},
    {TextTable::Question, kQuestionSaveCaption, kSimplifiedChinese, u"保存"},
    {TextTable::Question, kQuestionSaveText, kTraditionalChinese, u"保存變更設定嗎?"},
    {TextTable::Question, kQuestionSaveCaption, kEnglish, u"Save"},
    {TextTable::Question, kQuestionSaveText, kEnglish, u"Do you want to save the changes?"},
    {TextTable::Question, kQuestionRestoreCaption, kEnglish, u"Restore"},
    {TextTable::Question, kQuestionRestoreText, kEnglish, u"Restore to default?"},
    {TextTable::Question, kQuestionSaveText, kGerman, u"Möchten Sie die Änderungen speichern?"},
    {TextTable::Question, kQuestionRestoreText, kJapanese, u"工場出荷時の設定を復元するかどうか？"},
    {TextTable::Question, kQuestionSaveText, kKorean, u"변경 사항을 저장하시겠습니까?"},
    {TextTable::Question, kQuestionYes, kSimplifiedChinese, u"是"},
    {TextTable::Question, kQuestionNo, kTraditionalChinese, u"否"},
    {TextTable::Question, kQuestionYes, kEnglish, u"Yes"},
    {TextTable::Question, kQuestionNo, kEnglish, u"No"},
    {TextTable::Question, kQuestionNo, kGerman, u"Nein"},
    {TextTable::Question, kQuestionYes, kJapanese, u"はい"},
    {TextTable::Question, kQuestionNo, kKorean, u"아니요"},
    {TextTable::ControlName, 0, kEnglish, u"Red LED"},
    {TextTable::ControlName, 1, kEnglish, u"Yellow LED"},
    {TextTable::ControlName, 2, kEnglish, u"Green LED"},
    {TextTable::ControlName, 3, kEnglish, u"Language"},
    {TextTable::ControlName, 4, kEnglish, u"Several lines at a time"},
    {TextTable::ControlName, 5, kEnglish, u"Minimise"},
    {TextTable::ControlName, 6, kEnglish, u"Close"},
    {TextTable::ControlName, 7, kEnglish, u"Lighting step up"},
    {TextTable::ControlName, 8, kEnglish, u"Lighting step down"},
    {TextTable::ControlName, 9, kEnglish, u"Red LED level up"},
    {TextTable::ControlName, 10, kEnglish, u"Red LED level down"},
    {TextTable::ControlName, 11, kEnglish, u"Yellow LED level up"},
    {TextTable::ControlName, 12, kEnglish, u"Yellow LED level down"},
    {TextTable::ControlName, 13, kEnglish, u"Green LED level up"},
    {TextTable::ControlName, 14, kEnglish, u"Green LED level down"},
    {TextTable::ControlName, 15, kEnglish, u"DPI up"},
    {TextTable::ControlName, 16, kEnglish, u"DPI down"},
    {TextTable::ControlName, 17, kEnglish, u"Macro name"},
    {TextTable::ControlName, 18, kEnglish, u"Button %d"},
    {TextTable::ControlName, 19, kEnglish, u"Message"},
    {TextTable::ControlName, 20, kEnglish, u"Question"},
    {TextTable::ControlName, kControlQuestionBox, kGerman, u"Frage"},
    {TextTable::ControlName, kControlLanguage, kGerman, u"Sprache"},
    {TextTable::ControlName, kControlRedLed, kJapanese, u"赤色LED"},
    {TextTable::ControlName, kControlButton, kKorean, u"버튼 %d"},
    {TextTable::ControlName, kControlScrollLines, kSimplifiedChinese, u"一次滚动多行"},
};

// Main text table rows with the same text in every language.
std::vector<int> sameTextRows() {
    std::vector<int> rows = {0,  1,  2,  3,  4,  5,  6,  20, 21, 22, 23, 36,
                             37, 38, 39, 51, 55, 78, 79, 80, 82, 83, 84};
    for (int row = 104; row <= 112; ++row) {
        rows.push_back(row);
    }
    return rows;
}

// Rows whose text carries nothing to translate: besides the rows above, the DPI scale (row 13, digits
// only, not a fixed equal row but nothing in it is language-bound) and the colour
// page headings, which are Chinese in every table; in the function table the key names DPI+, DPI-, Alt+Tab.
bool isLanguageNeutral(TextTable table, int row) {
    if (table == TextTable::Main) {
        for (int same : sameTextRows()) {
            if (row == same) {
                return true;
            }
        }
        return row == 13 || (row >= 97 && row <= 100);
    }
    if (table == TextTable::ButtonFunction) {
        return row == 24 || row == 25 || row == 27;
    }
    return false;
}

// Translations that are rightly the English word: "OK" in German and Japanese (the macro editor's fixed
// texts have it so; the main window's OK button follows it).
bool mayEqualEnglish(TextTable table, int row, int language) {
    const bool okWord =
        (table == TextTable::Main && row == 128) || (table == TextTable::MacroEditor && row == 16);
    return okWord && (language == kGerman || language == kJapanese);
}

// Marker rows of the painter and their first character.
const std::map<int, char16_t> kMarkerRows = {
    {0, u'B'},  {1, u'B'},  {2, u'B'},  {3, u'B'},  {4, u'B'},  {5, u'B'},  {6, u'B'},
    {51, u'S'}, {78, u'S'}, {79, u'S'}, {80, u'S'}, {55, u'X'}, {82, u'X'}, {83, u'X'},
    {84, u'X'}, {36, u'H'}, {37, u'R'}, {38, u'Y'}, {39, u'G'},
};

// Shared-key groups: captions equal without case and surrounding blanks share one profile line.
std::set<std::vector<int>> expectedGroups(int language) {
    if (language == kEnglish) {
        return {{24, 28, 32, 91, 95}, {25, 29, 33}, {51, 78, 79, 80}, {89, 93}};
    }
    std::set<std::vector<int>> groups = {{24, 28, 32}, {25, 29, 33}, {51, 78, 79, 80}, {89, 93}, {91, 95}};
    if (language == kGerman) {
        groups.insert({123, 124});
    }
    return groups;
}

TEST(TextTables, ShapesAndTerminatingZeros) {
    for (const TableInfo& info : kTables) {
        SCOPED_TRACE(info.name);
        const TextTableShape shape = GetTableShape(info.table);
        EXPECT_EQ(shape.languages, info.languages);
        EXPECT_EQ(shape.rows, info.rows);
        EXPECT_EQ(shape.width, info.width);
        for (int language = 0; language < info.languages; ++language) {
            for (int row = 0; row < info.rows; ++row) {
                const std::u16string_view text = GetText(info.table, row, language);
                EXPECT_LT(text.size(), static_cast<std::size_t>(info.width))
                    << where(info.table, row, language);
                EXPECT_EQ(text.find(u'\0'), std::u16string_view::npos) << where(info.table, row, language);
            }
        }
    }
}

TEST(TextTables, QuotedTextsAreExact) {
    for (const Quoted& quoted : kQuoted) {
        SCOPED_TRACE(where(quoted.table, quoted.row, quoted.language));
        EXPECT_EQ(toUtf8(GetText(quoted.table, quoted.row, quoted.language)), toUtf8(quoted.text));
    }
}

TEST(TextTables, EnglishRowsAreExactlyTheQuotedOnes) {
    for (const TableInfo& info : kTables) {
        SCOPED_TRACE(info.name);
        std::set<int> quotedRows;
        for (const Quoted& quoted : kQuoted) {
            if (quoted.table == info.table && quoted.language == kEnglish) {
                quotedRows.insert(quoted.row);
            }
        }
        std::set<int> filledRows;
        for (int row = 0; row < info.rows; ++row) {
            if (!GetText(info.table, row, kEnglish).empty()) {
                filledRows.insert(row);
            }
        }
        EXPECT_EQ(filledRows, quotedRows);
    }
}

// The notices formatted with a number (a button, a record count): exactly one "%d" and no other
// directive.
TEST(TextTables, NumberedNoticesHaveOneNumberField) {
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int row : {kNoticeButtonDoesNotFit, kNoticeRecordCount, kNoticeTooManyRecords}) {
            SCOPED_TRACE(testing::Message() << kLanguageNames[language] << ", row " << row);
            const std::u16string_view text = GetText(TextTable::Notice, row, language);
            const std::size_t field = text.find(u"%d");
            ASSERT_NE(field, std::u16string_view::npos);
            EXPECT_EQ(text.find(u'%', field + 1), std::u16string_view::npos);
            EXPECT_EQ(text.find(u'%'), field);
        }
    }
}

// The access notice tells every language which file to install.
TEST(TextTables, AccessNoticeNamesTheUdevRule) {
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(kLanguageNames[language]);
        EXPECT_NE(GetText(TextTable::Notice, kNoticeAccessDenied, language).find(u"70-voltrane.rules"),
                  std::u16string_view::npos);
    }
}

// The questions read as sentences in every language: no code-page casualties ("?" standing in for a
// letter), and each text ends in its question mark or full stop.
TEST(TextTables, QuestionsHaveNoLostLetters) {
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(kLanguageNames[language]);
        for (int row = 0; row < 4; ++row) {
            const std::u16string_view text = GetText(TextTable::Question, row, language);
            ASSERT_FALSE(text.empty()) << where(TextTable::Question, row, language);
            const std::size_t mark = text.find_first_of(u"?？");
            const bool isText = row == kQuestionSaveText || row == kQuestionRestoreText;
            EXPECT_EQ(mark, isText && text.back() != u'。' ? text.size() - 1 : std::u16string_view::npos)
                << where(TextTable::Question, row, language);
        }
    }
}

TEST(TextTables, ChoiceTablesRepeatTheMacroEditorWords) {
    for (int language = 0; language < 3; ++language) {
        SCOPED_TRACE(kLanguageNames[language]);
        for (int row = 0; row < 7; ++row) {
            EXPECT_EQ(GetText(TextTable::ChoiceMouseKeys, row, language),
                      GetText(TextTable::MacroEditor, 7 + row, language))
                << where(TextTable::ChoiceMouseKeys, row, language);
        }
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(GetText(TextTable::ChoiceEvents, row, language),
                      GetText(TextTable::MacroEvent, row, language))
                << where(TextTable::ChoiceEvents, row, language);
        }
        EXPECT_EQ(GetText(TextTable::ChoiceTitles, 4, language),
                  GetText(TextTable::MacroEditor, 16, language));
        EXPECT_EQ(GetText(TextTable::ChoiceTitles, 5, language),
                  GetText(TextTable::MacroEditor, 17, language));
    }
}

TEST(TextTables, GetTextFallbacks) {
    // Rows outside a table are empty.
    EXPECT_TRUE(GetText(TextTable::Main, -1, kEnglish).empty());
    EXPECT_TRUE(GetText(TextTable::Main, 136, kEnglish).empty());
    EXPECT_TRUE(GetText(TextTable::Message, 17, kSimplifiedChinese).empty());
    EXPECT_TRUE(GetText(TextTable::SingleKeyButtons, 3, kEnglish).empty());
    EXPECT_TRUE(GetText(TextTable::SingleKeyButtons, 1000000, 1000000).empty());
    // Languages outside 0..5 read as English.
    for (int language : {-1, 6, 99}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(GetText(TextTable::Main, 10, language), u" Lighting");
        EXPECT_EQ(GetText(TextTable::Message, 3, language), u"Fail");
        EXPECT_EQ(GetText(TextTable::ChoiceTitles, 0, language), u"Macros List");
    }
    // The three-language tables answer German, Japanese and Korean in English.
    for (int language = kGerman; language < kLanguageCount; ++language) {
        SCOPED_TRACE(kLanguageNames[language]);
        EXPECT_EQ(GetText(TextTable::ChoiceTitles, 1, language), u"Macros Settings");
        EXPECT_EQ(GetText(TextTable::ChoiceMouseKeys, 6, language), u"Scroll down");
        EXPECT_EQ(GetText(TextTable::ChoiceEvents, 4, language), u"Hold down the button");
        EXPECT_EQ(GetText(TextTable::SingleKeyButtons, 1, language), u" Cancel");
    }
    // The view ends at the terminating zero, not at the row width.
    const std::u16string_view lighting = GetText(TextTable::Main, 10, kEnglish);
    EXPECT_EQ(lighting.size(), 9u);
    EXPECT_EQ(lighting.data()[lighting.size()], u'\0');
    EXPECT_TRUE(GetText(TextTable::Main, 7, kEnglish).empty());
    // An unknown table has no rows.
    const TextTableShape none = GetTableShape(static_cast<TextTable>(99));
    EXPECT_EQ(none.rows, 0);
    EXPECT_TRUE(GetText(static_cast<TextTable>(99), 0, kEnglish).empty());
}

class TextTablesPerLanguage : public ::testing::TestWithParam<int> {};

TEST_P(TextTablesPerLanguage, SameTextRowsEqualEnglish) {
    const int language = GetParam();
    for (int row : sameTextRows()) {
        EXPECT_EQ(GetText(TextTable::Main, row, language), GetText(TextTable::Main, row, kEnglish))
            << where(TextTable::Main, row, language);
    }
}

// Empty in English means empty everywhere, and filled in English means filled everywhere, except for
// row 100 (Traditional Chinese and English only) and rows 123, 124 (a blank in German).
TEST_P(TextTablesPerLanguage, EmptyRowsFollowEnglish) {
    const int language = GetParam();
    for (const TableInfo& info : kTables) {
        if (language >= info.languages) {
            continue;
        }
        for (int row = 0; row < info.rows; ++row) {
            const bool mainRow = info.table == TextTable::Main;
            if (mainRow && (row == 100 || row == 123 || row == 124)) {
                continue;
            }
            EXPECT_EQ(GetText(info.table, row, language).empty(),
                      GetText(info.table, row, kEnglish).empty())
                << where(info.table, row, language);
        }
    }
}

TEST_P(TextTablesPerLanguage, ColourPageRows) {
    const int language = GetParam();
    // 88..95: translated only in Traditional Chinese and English; the others repeat Simplified Chinese.
    for (int row = 88; row <= 95; ++row) {
        const std::u16string_view text = GetText(TextTable::Main, row, language);
        if (language == kEnglish) {
            continue;
        }
        EXPECT_TRUE(isChineseText(text)) << where(TextTable::Main, row, language);
        if (language != kTraditionalChinese) {
            EXPECT_EQ(text, GetText(TextTable::Main, row, kSimplifiedChinese))
                << where(TextTable::Main, row, language);
        }
    }
    // 97..99: Chinese in every language.
    for (int row = 97; row <= 99; ++row) {
        EXPECT_TRUE(isChineseText(GetText(TextTable::Main, row, language)))
            << where(TextTable::Main, row, language);
    }
    // 100: only Traditional Chinese and English.
    const std::u16string_view row100 = GetText(TextTable::Main, 100, language);
    if (language == kTraditionalChinese || language == kEnglish) {
        EXPECT_TRUE(isChineseText(row100)) << where(TextTable::Main, 100, language);
    } else {
        EXPECT_TRUE(row100.empty()) << where(TextTable::Main, 100, language);
    }
}

TEST_P(TextTablesPerLanguage, HideAndCloseRows) {
    const int language = GetParam();
    const std::u16string_view expected = language == kGerman ? u" " : u"";
    EXPECT_EQ(GetText(TextTable::Main, 123, language), expected) << where(TextTable::Main, 123, language);
    EXPECT_EQ(GetText(TextTable::Main, 124, language), expected) << where(TextTable::Main, 124, language);
}

TEST_P(TextTablesPerLanguage, SharedKeyGroups) {
    const int language = GetParam();
    std::map<std::u16string, std::vector<int>> rowsByKey;
    for (int row = 0; row <= 130; ++row) {
        const std::u16string_view caption = GetText(TextTable::Main, row, language);
        if (!caption.empty()) {
            rowsByKey[keyOf(caption)].push_back(row);
        }
    }
    std::set<std::vector<int>> groups;
    for (const auto& [key, rows] : rowsByKey) {
        if (rows.size() > 1) {
            groups.insert(rows);
        }
    }
    for (const auto& group : groups) {
        if (expectedGroups(language).count(group) == 0) {
            std::string rows;
            for (int row : group) {
                rows += " " + where(TextTable::Main, row, language);
            }
            ADD_FAILURE() << "unexpected shared key:" << rows;
        }
    }
    EXPECT_EQ(groups, expectedGroups(language));
}

// The keys of row 132 and of the stems 133..135 with 1..10 appended are written into the same section as
// the captions: none may meet a caption or another of them.
TEST_P(TextTablesPerLanguage, ProfileKeysDoNotCollide) {
    const int language = GetParam();
    EXPECT_TRUE(GetText(TextTable::Main, 131, language).empty());
    for (int row = kRowMacroFilesKey; row <= kRowMacroNameStem; ++row) {
        EXPECT_FALSE(GetText(TextTable::Main, row, language).empty())
            << where(TextTable::Main, row, language);
    }
    std::map<std::u16string, int> captionKeys;
    for (int row = 0; row <= 130; ++row) {
        const std::u16string_view caption = GetText(TextTable::Main, row, language);
        if (!caption.empty()) {
            captionKeys.emplace(keyOf(caption), row);
        }
    }
    std::vector<std::pair<std::u16string, std::string>> extraKeys;
    extraKeys.emplace_back(keyOf(GetText(TextTable::Main, kRowMacroFilesKey, language)),
                           where(TextTable::Main, kRowMacroFilesKey, language));
    for (int stem : {kRowKeyDataStem, kRowMacroDataStem, kRowMacroNameStem}) {
        for (int n = 1; n <= 10; ++n) {
            extraKeys.emplace_back(keyOf(numbered(GetText(TextTable::Main, stem, language), n)),
                                   where(TextTable::Main, stem, language) + " + " + std::to_string(n));
        }
    }
    std::set<std::u16string> seen;
    for (const auto& [key, name] : extraKeys) {
        SCOPED_TRACE(name);
        const auto caption = captionKeys.find(key);
        if (caption != captionKeys.end()) {
            ADD_FAILURE() << "meets the caption " << where(TextTable::Main, caption->second, language);
        }
        EXPECT_TRUE(seen.insert(key).second) << "key used twice";
    }
}

// On the basic and advanced pages (items 0..86) and the common items (113..130) only the
// marker rows begin with B, S, X, C, H, R, Y or G; any other caption starting so carries a leading blank.
TEST_P(TextTablesPerLanguage, MarkerLetters) {
    const int language = GetParam();
    const std::u16string_view markers = u"BSXCHRYG";
    for (int row = 0; row <= 130; ++row) {
        if (row > 86 && row < 113) {
            continue;
        }
        const std::u16string_view caption = GetText(TextTable::Main, row, language);
        const auto marker = kMarkerRows.find(row);
        if (marker != kMarkerRows.end()) {
            ASSERT_FALSE(caption.empty()) << where(TextTable::Main, row, language);
            EXPECT_EQ(caption.front(), marker->second) << where(TextTable::Main, row, language);
        } else if (!caption.empty()) {
            EXPECT_EQ(markers.find(caption.front()), std::u16string_view::npos)
                << where(TextTable::Main, row, language);
        }
    }
}

class TextTablesTranslated : public ::testing::TestWithParam<int> {};

// A translatable text left in English is a forgotten translation.
TEST_P(TextTablesTranslated, DifferFromEnglish) {
    const int language = GetParam();
    for (const TableInfo& info : kTables) {
        if (language >= info.languages) {
            continue;
        }
        for (int row = 0; row < info.rows; ++row) {
            const std::u16string_view english = GetText(info.table, row, kEnglish);
            if (english.empty() || isLanguageNeutral(info.table, row) ||
                mayEqualEnglish(info.table, row, language)) {
                continue;
            }
            EXPECT_NE(keyOf(GetText(info.table, row, language)), keyOf(english))
                << where(info.table, row, language);
        }
    }
}

// Every word whose joints the caption fitter knows still occurs, as a word between blanks, in some text
// of its language, and is marked into real parts: a joint for a word the tables no longer hold is dead.
TEST_P(TextTablesPerLanguage, WordJointsOccurInATextOfTheLanguage) {
    const int language = GetParam();
    std::set<std::u16string> words;
    for (const TableInfo& info : kTables) {
        for (int row = 0; row < info.rows; ++row) {
            const std::u16string_view text = GetText(info.table, row, language);
            for (size_t start = 0; start <= text.size();) {
                const size_t end = std::min(text.find(u' ', start), text.size());
                words.emplace(text.substr(start, end - start));
                start = end + 1;
            }
        }
    }
    for (const std::u16string_view marked : NeedsOf(language).wordJoints) {
        SCOPED_TRACE(toUtf8(marked));
        std::u16string word;
        size_t partStart = 0;
        for (size_t at = 0; at <= marked.size(); ++at) {
            if (at < marked.size() && marked[at] != u'|') continue;
            EXPECT_GT(at, partStart) << "an empty part";
            word += marked.substr(partStart, at - partStart);
            partStart = at + 1;
        }
        EXPECT_NE(marked.find(u'|'), std::u16string_view::npos) << "no joint";
        EXPECT_TRUE(words.contains(word)) << "no text of " << kLanguageNames[language] << " holds the word";
    }
}

// Each language names itself, labels its OK button, has its capture note and a code page.
TEST_P(TextTablesPerLanguage, LanguageNeedsAreFilledIn) {
    const LanguageNeeds& needs = NeedsOf(GetParam());
    EXPECT_FALSE(needs.name.empty());
    EXPECT_FALSE(needs.okLabel.empty());
    EXPECT_FALSE(needs.captureNote.empty());
    EXPECT_GT(needs.codePage, 0);
    for (int other = 0; other < GetParam(); ++other) EXPECT_NE(NeedsOf(other).name, needs.name);
}

std::string languageName(const ::testing::TestParamInfo<int>& param) { return kLanguageNames[param.param]; }

INSTANTIATE_TEST_SUITE_P(AllLanguages, TextTablesPerLanguage, ::testing::Range(0, kLanguageCount),
                         languageName);
INSTANTIATE_TEST_SUITE_P(OtherLanguages, TextTablesTranslated,
                         ::testing::Values(kSimplifiedChinese, kTraditionalChinese, kGerman, kJapanese,
                                           kKorean),
                         languageName);

}  // namespace
}  // namespace voltrane
