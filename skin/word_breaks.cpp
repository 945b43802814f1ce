#include "skin/word_breaks.h"

#include <QStringList>

namespace voltrane {

namespace {

// The compound words of the captions and menus with their joints marked "|"; a word is cut only where
// its parts meet, so that both halves read as words.
constexpr const char16_t* kCompounds[] = {
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

// The joints of `word` as offsets into it; none when it is not a known compound.
std::vector<qsizetype> jointsOf(QStringView word) {
    for (const char16_t* compound : kCompounds) {
        const QString marked = QString::fromUtf16(compound);
        if (QString(marked).remove(QLatin1Char('|')) != word) continue;
        std::vector<qsizetype> joints;
        qsizetype at = 0;
        for (const QString& part : marked.split(QLatin1Char('|'))) {
            at += part.size();
            joints.push_back(at);
        }
        joints.pop_back();
        return joints;
    }
    return {};
}

}  // namespace

std::vector<qsizetype> CompoundJoints(const QString& text) {
    std::vector<qsizetype> joints;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(' '), start);
        if (end < 0) end = text.size();
        for (qsizetype joint : jointsOf(QStringView(text).mid(start, end - start)))
            joints.push_back(start + joint);
        start = end + 1;
    }
    return joints;
}

}  // namespace voltrane
