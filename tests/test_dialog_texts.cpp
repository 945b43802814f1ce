#include <gtest/gtest.h>

#include <set>

#include "capture/dialog_texts.h"

namespace voltrane {
namespace {

TEST(DialogTexts, Buttons) {
    struct Case {
        int language;
        const char16_t* singleKeyOk;
        const char16_t* singleKeyCancel;
        const char16_t* choiceOk;
        const char16_t* choiceCancel;
    };
    const Case cases[] = {
        {0, u"确定", u"取消", u"确定", u"取消"},         {1, u"確定", u"取消", u"確定", u"取消"},
        {2, u"OK", u" Cancel", u"OK", u"Cancel"},        {3, u"OK", u"Stornieren", u"OK", u"Stornieren"},
        {4, u"OK", u"キャンセル", u"OK", u"キャンセル"}, {5, u"확인", u"취소", u"확인", u"취소"},
        {6, u"OK", u" Cancel", u"OK", u"Cancel"},        {-1, u"OK", u" Cancel", u"OK", u"Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        EXPECT_EQ(SingleKeyButtonText(DialogButton::Ok, c.language), c.singleKeyOk);
        EXPECT_EQ(SingleKeyButtonText(DialogButton::Cancel, c.language), c.singleKeyCancel);
        EXPECT_EQ(ChoiceButtonText(DialogButton::Ok, c.language), c.choiceOk);
        EXPECT_EQ(ChoiceButtonText(DialogButton::Cancel, c.language), c.choiceCancel);
    }
}

TEST(DialogTexts, ChoiceHeadingsFallBackToEnglish) {
    struct Case {
        int language;
        const char16_t* macros;
        const char16_t* steps;
    };
    const Case cases[] = {
        {0, u"宏列表", u"宏设置"},
        {1, u"巨集列表", u"巨集設置"},
        {2, u"Macros List", u"Macros Settings"},
        {3, u"Macros List", u"Macros Settings"},
        {4, u"Macros List", u"Macros Settings"},
        {5, u"Macros List", u"Macros Settings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        EXPECT_EQ(ChoiceHeadingText(ChoiceHeading::Macros, c.language), c.macros);
        EXPECT_EQ(ChoiceHeadingText(ChoiceHeading::Steps, c.language), c.steps);
    }
}

TEST(DialogTexts, CaptureNoteInEveryLanguageEnglishOutside) {
    EXPECT_EQ(CaptureNoteText(2), u"System shortcuts cannot be captured here");
    EXPECT_EQ(CaptureNoteText(-1), CaptureNoteText(2));
    EXPECT_EQ(CaptureNoteText(6), CaptureNoteText(2));
    for (int language = 0; language < 6; ++language) {
        SCOPED_TRACE(language);
        EXPECT_FALSE(CaptureNoteText(language).empty());
        if (language != 2) {
            EXPECT_NE(CaptureNoteText(language), CaptureNoteText(2));
        }
    }
}

// Every language has its own words for each line and name; the keys keep their keyboard names, so that
// the line points at the key to press.
TEST(DialogTexts, KeyboardHintsAndPartNamesInEveryLanguage) {
    const KeyboardHint hints[] = {KeyboardHint::SingleKeyCapturing, KeyboardHint::SingleKeyDone,
                                  KeyboardHint::Recording, KeyboardHint::NotRecording,
                                  KeyboardHint::Choice};
    const DialogPart parts[] = {DialogPart::SingleKey, DialogPart::KeyField, DialogPart::MacroEditor,
                                DialogPart::Steps,     DialogPart::Delay,    DialogPart::Choice,
                                DialogPart::Macros};
    EXPECT_EQ(KeyboardHintText(KeyboardHint::Recording, 2),
              u"Recording every key; hold Esc to stop recording");
    EXPECT_EQ(DialogPartName(DialogPart::KeyField, 2), u"Keys pressed");
    for (int language = 0; language < 6; ++language) {
        SCOPED_TRACE(language);
        std::set<std::u16string_view> seen;
        for (KeyboardHint hint : hints) {
            const std::u16string_view text = KeyboardHintText(hint, language);
            EXPECT_NE(text.find(u"Esc"), std::u16string_view::npos) << static_cast<int>(hint);
            EXPECT_TRUE(seen.insert(text).second) << "repeated line " << static_cast<int>(hint);
            if (language != 2) {
                EXPECT_NE(text, KeyboardHintText(hint, 2)) << static_cast<int>(hint);
            }
        }
        for (DialogPart part : parts) {
            const std::u16string_view name = DialogPartName(part, language);
            EXPECT_FALSE(name.empty()) << static_cast<int>(part);
            EXPECT_TRUE(seen.insert(name).second) << "repeated name " << static_cast<int>(part);
            if (language != 2) {
                EXPECT_NE(name, DialogPartName(part, 2)) << static_cast<int>(part);
            }
        }
    }
    EXPECT_EQ(KeyboardHintText(KeyboardHint::Choice, 9), KeyboardHintText(KeyboardHint::Choice, 2));
    EXPECT_EQ(DialogPartName(DialogPart::Macros, -1), DialogPartName(DialogPart::Macros, 2));
}

}  // namespace
}  // namespace voltrane
