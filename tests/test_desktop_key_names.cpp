// The key names the window takes from the desktop: run by test_desktop_key_names.sh under an X server
// whose keyboard has been given the layout named on the command line, on Qt's X11 platform ("offscreen"
// instead: the offscreen platform, whatever the X server's layout).

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <map>
#include <string>
#include <vector>

#include "dialogs/desktop_key_names.h"

namespace voltrane {
namespace {

std::string g_layout;

struct NamedKey {
    int row;
    std::u16string name;
};

// What each layout prints on some keys; function keys and modifiers keep their names everywhere.
const std::map<std::string, std::vector<NamedKey>> kExpected = {
    {"us", {{37, u"Y"}, {59, u"Z"}, {55, u":"}, {17, u"~"}, {2, u"F1"}, {70, u"LCtrl"}}},
    {"de", {{37, u"Z"}, {59, u"Y"}, {55, u"\u00D6"}, {17, u"^"}, {2, u"F1"}, {70, u"LCtrl"}}},
    {"fr", {{32, u"A"}, {46, u"Q"}, {19, u"\u00E9"}, {55, u"M"}, {2, u"F1"}, {70, u"LCtrl"}}},
    // the key table's names: the window does not read the X server's layout offscreen
    {"offscreen", {{37, u"Y"}, {59, u"Z"}, {55, u":"}, {17, u"~"}, {2, u"F1"}}},
};

TEST(DesktopKeyNames, FollowTheXServersLayout) {
    const auto expected = kExpected.find(g_layout);
    ASSERT_NE(expected, kExpected.end()) << "no expectations for layout " << g_layout;
    const KeyNames names = DesktopKeyNames();
    for (const NamedKey& key : expected->second)
        EXPECT_EQ(names.Name(key.row), key.name) << "row " << key.row;
}

}  // namespace
}  // namespace voltrane

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: test_desktop_key_names LAYOUT\n");
        return 2;
    }
    voltrane::g_layout = argv[1];
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
