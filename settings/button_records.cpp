#include "settings/button_records.h"

#include <algorithm>

#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

bool MakesButtonRecord(uint8_t kind) {
    return kind == kMouseDown || kind == kMouseUp || kind == kKeyDown || kind == kKeyUp ||
           kind == kRawKey || kind == kDpiStep;
}

int ButtonRecordCount(const MacroRecord& macro) {
    const int count = std::clamp(macro.count, 0, kMacroSlots);
    return static_cast<int>(std::count_if(macro.steps, macro.steps + count, [](const MacroEvent& step) {
        return MakesButtonRecord(step.kind);
    }));
}

std::u16string ButtonRecordText(const MacroRecord& macro, int language) {
    const int records = ButtonRecordCount(macro);
    const int row = records <= kMaxButtonRecords ? kNoticeRecordCount : kNoticeTooManyRecords;
    return GetTextWithNumber(TextTable::Notice, row, language, records);
}

std::u16string MacroListName(std::u16string_view name, const MacroRecord& macro) {
    const int records = ButtonRecordCount(macro);
    if (records <= kMaxButtonRecords) return std::u16string(name);
    return std::u16string(name) + u" (" + DecimalUtf16(records) + u"/" + DecimalUtf16(kMaxButtonRecords) +
           u")";
}

}  // namespace voltrane
