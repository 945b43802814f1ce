#include "skin/word_breaks.h"

#include <QStringList>

#include "settings/languages.h"

namespace voltrane {

namespace {

// The joints of `word` as offsets into it; none when it is not a known compound.
std::vector<qsizetype> jointsOf(QStringView word) {
    for (const LanguageNeeds& language : kLanguageNeeds) {
        for (const std::u16string_view compound : language.wordJoints) {
            const QString marked =
                QString::fromUtf16(compound.data(), static_cast<qsizetype>(compound.size()));
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
