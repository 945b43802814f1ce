// The buttons' captions of the main window name their keys as the keyboard layout prints them: a
// caption painted with a layout's names looks exactly like the caption of the key that the US names
// call by that name, and differs from the same key painted with the US names.

#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>

#include "built_skins.h"
#include "capture/key_names.h"
#include "skin/item_qrect.h"
#include "skin/main_painter.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"
#include "swapped_key_names.h"

using namespace voltrane;

namespace {

constexpr int kButton = 3;  // the fourth button's caption

// The caption of a button that sends `keys`, painted with the key names `names`.
QImage caption(const QList<int>& keys, const KeyNames& names) {
    MouseSetting setting;
    setting.m_nItem[kButton] = kFunctionKeyboard;
    std::copy(keys.begin(), keys.end(), setting.m_KeyData[kButton]);
    const MacroStore store;
    const MainWindowState state{setting, store, names, kBasicPage, false, kNoItem, kEnglish, QString()};
    const QRect rect = ItemQRect(kButton);
    QImage image(g_imgSkin.mainOutline.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintMainWindow(painter, rect, state, g_imgSkin,
                    {SmallFont(state.language), LargeFont(state.language)});
    painter.end();
    return image.copy(rect);
}

}  // namespace

class TestKeyCaptions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void captionsUseTheLayoutsNames_data();
    void captionsUseTheLayoutsNames();
};

void TestKeyCaptions::initTestCase() {
    QVERIFY(LoadBuiltSkins());
}

void TestKeyCaptions::captionsUseTheLayoutsNames_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("usKeysOfTheSameName");
    QTest::newRow("the US Y position") << QList<int>{37} << QList<int>{59};
    QTest::newRow("the US Z position") << QList<int>{59} << QList<int>{37};
    QTest::newRow("LCtrl with the US Y position") << QList<int>{70, 37} << QList<int>{70, 59};
    QTest::newRow("a letter the layouts agree on") << QList<int>{46} << QList<int>{46};
    QTest::newRow("a function key") << QList<int>{2} << QList<int>{2};
}

void TestKeyCaptions::captionsUseTheLayoutsNames() {
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, usKeysOfTheSameName);
    const QImage shown = caption(keys, SwappedZAndY());
    QCOMPARE(shown, caption(usKeysOfTheSameName, UsKeyNames()));
    if (keys != usKeysOfTheSameName) QVERIFY(shown != caption(keys, UsKeyNames()));
}

QTEST_MAIN(TestKeyCaptions)
#include "test_key_captions.moc"
