#pragma once
// Texts of KConfig files and what KConfig reads from them for the entry [KDE] A: shared by the tests
// of our reading rules and the tests that hold them against KDE's own reader.

#include <optional>
#include <ostream>
#include <string>

namespace voltrane {

struct LookupCase {
    const char* name;
    std::string text;
    std::optional<std::string> value;  // of [KDE] A
    bool immutable;
};

inline void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

inline const LookupCase kLookups[] = {
    {"EmptyFile", "", std::nullopt, false},
    {"Plain", "[KDE]\nA=1\n", "1", false},
    {"LastKeyWins", "[KDE]\nA=1\nA=2\n", "2", false},
    {"LastGroupWins", "[KDE]\nA=1\n[Other]\nA=5\n[KDE]\nA=3\n", "3", false},
    {"NamesMatchExactly", "[kde]\nA=1\n[KDE]\na=2\n", std::nullopt, false},
    {"WhitespaceAroundIsIgnored", "  [KDE]  \n  A  =  7  \n", "7", false},
    {"Comment", "[KDE]\n#A=1\n", std::nullopt, false},
    {"NestedGroupIsAnother", "[KDE][Sub]\nA=1\n", std::nullopt, false},
    {"BeforeAnyGroup", "A=1\n[KDE]\n", std::nullopt, false},
    {"LocalizedEntriesAreOthers", "[KDE]\nA[de]=9\nA=2\nA[fr]=8\n", "2", false},
    {"Deleted", "[KDE]\nA=1\nA[$d]\n", std::nullopt, false},
    {"InvalidHeaderKeepsTheGroup", "[KDE]\n[Broken\nA=4\n", "4", false},
    {"LineWithoutEqualsIsSkipped", "[KDE]\nA=1\nA\n", "1", false},
    {"CrLf", "[KDE]\r\nA=5\r\n", "5", false},
    {"Latin1Elsewhere", "[General]\nName=caf\xe9\n[KDE]\nA=6\n", "6", false},
    {"ImmutableGroup", "[KDE][$i]\nA=1\n", "1", true},
    {"GroupImmutableInAnotherBlock", "[KDE][$i]\nB=1\n[KDE]\nA=2\n", "2", true},
    {"ImmutableEntryHoldsAgainstLaterOnes", "[KDE]\nA[$i]=1\nA=2\n", "1", true},
    {"ImmutableFile", "[$i]\n[KDE]\nA=1\n", "1", true},
    {"ImmutableOtherKey", "[KDE]\nB[$i]=1\nA=2\n", "2", false},
    {"ImmutableOtherGroup", "[X][$i]\nA=1\n[KDE]\nA=2\n", "2", false},
};

}  // namespace voltrane
