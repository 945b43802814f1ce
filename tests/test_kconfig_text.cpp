// KConfig's rules for reading and editing Plasma's files, on the text alone.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/kconfig_text.h"
#include "kconfig_cases.h"

namespace voltrane {
namespace {

class KConfigLookUp : public testing::TestWithParam<LookupCase> {};

TEST_P(KConfigLookUp, ReadsTheEntryThatCounts) {
    const KConfigLookup found = LookUpKConfigEntry(GetParam().text, "KDE", "A");
    EXPECT_EQ(found.value, GetParam().value);
    EXPECT_EQ(found.immutable, GetParam().immutable);
}

INSTANTIATE_TEST_SUITE_P(Texts, KConfigLookUp, testing::ValuesIn(kLookups),
                         [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

struct SetCase {
    const char* name;
    std::string before;
    std::optional<std::string> after;  // with [KDE] A=9; std::nullopt: refused
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class KConfigSet : public testing::TestWithParam<SetCase> {};

TEST_P(KConfigSet, EditsOnlyTheEntry) {
    const std::optional<std::string> after = SetKConfigEntry(GetParam().before, "KDE", "A", "9");
    EXPECT_EQ(after, GetParam().after);
    if (after) {
        EXPECT_EQ(LookUpKConfigEntry(*after, "KDE", "A").value, "9");
    }
}

const SetCase kSets[] = {
    {"NewFile", "", "[KDE]\nA=9\n"},
    {"InPlace", "[KDE]\nB=1\nA=2\nC=3\n", "[KDE]\nB=1\nA=9\nC=3\n"},
    {"LastOfTwoKeys", "[KDE]\nA=1\nA=2\n", "[KDE]\nA=1\nA=9\n"},
    {"KeyOfTheEarlierBlock", "[KDE]\nA=1\n\n[X]\nY=2\n\n[KDE]\nB=3\n",
     "[KDE]\nA=9\n\n[X]\nY=2\n\n[KDE]\nB=3\n"},
    {"MissingKeyGoesToTheLastBlock", "[KDE]\nB=1\n\n[X]\nY=2\n\n[KDE]\nC=3\n\n# tail\n",
     "[KDE]\nB=1\n\n[X]\nY=2\n\n[KDE]\nC=3\nA=9\n\n# tail\n"},
    {"EmptyGroup", "[KDE]\n[X]\nY=1\n", "[KDE]\nA=9\n[X]\nY=1\n"},
    {"MissingGroup", "[General]\nX=1\n", "[General]\nX=1\n\n[KDE]\nA=9\n"},
    {"MissingGroupNoFinalBreak", "[General]\nX=1", "[General]\nX=1\n\n[KDE]\nA=9\n"},
    {"MissingKeyNoFinalBreak", "[KDE]\nB=1", "[KDE]\nB=1\nA=9\n"},
    {"IndentKept", "[KDE]\n  A = 2 \n", "[KDE]\n  A=9\n"},
    {"CrLfKept", "[KDE]\r\nA=2\r\nB=1\r\n", "[KDE]\r\nA=9\r\nB=1\r\n"},
    {"CrLfForNewLines", "[KDE]\r\nB=2\r\n", "[KDE]\r\nB=2\r\nA=9\r\n"},
    {"Latin1AndCommentsKept", "# caf\xe9\n[General]\nName=caf\xe9\n[KDE]\nA=2\n",
     "# caf\xe9\n[General]\nName=caf\xe9\n[KDE]\nA=9\n"},
    {"OtherCaseIsAnotherKey", "[KDE]\na=2\n", "[KDE]\na=2\nA=9\n"},
    {"DeletedEntryReplaced", "[KDE]\nA[$d]\n", "[KDE]\nA=9\n"},
    {"LocalizedEntriesKept", "[KDE]\nA[de]=5\n", "[KDE]\nA[de]=5\nA=9\n"},
    {"ImmutableOtherGroupKept", "[X][$i]\nA=1\n[KDE]\nA=2\n", "[X][$i]\nA=1\n[KDE]\nA=9\n"},
    {"ImmutableGroupRefused", "[KDE][$i]\nA=1\n", std::nullopt},
    {"ImmutableGroupOfAnotherBlockRefused", "[KDE][$i]\nB=1\n[KDE]\nA=2\n", std::nullopt},
    {"ImmutableEntryRefused", "[KDE]\nA[$i]=1\nA=2\n", std::nullopt},
    {"ImmutableFileRefused", "[$i]\n[KDE]\nB=1\n", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Texts, KConfigSet, testing::ValuesIn(kSets),
                         [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

}  // namespace
}  // namespace voltrane
