// Painting the main window: a full repaint, the repaint a hover change asks for (the old and the new
// hot item's rectangles), and the macro list of the advanced page full of named macros.

#include <QMouseEvent>
#include <QPixmap>
#include <QTest>

#include "skin/item_rects.h"
#include "window_rig.h"

using namespace voltrane;

class BenchWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_rig.Open()); }
    void fullRepaint();
    void hoverRepaint();
    void macroListRepaint();

private:
    WindowRig m_rig;
};

void BenchWindow::fullRepaint() {
    QPixmap target;
    QBENCHMARK { target = m_rig.window->grab(); }
    QCOMPARE(target.size(), m_rig.window->size());
    QVERIFY(target.toImage().pixel(400, 300) != 0);  // the picture was really painted
}

void BenchWindow::hoverRepaint() {
    QPixmap target(m_rig.window->size());
    target.fill(Qt::transparent);
    QRegion changed;
    for (int item : {120, 121}) {
        const SkinRect& r = kItemRects[static_cast<std::size_t>(item)];
        changed += QRect(r.x, r.y, r.w, r.h);
    }
    QBENCHMARK { m_rig.window->render(&target, changed.boundingRect().topLeft(), changed); }
    QVERIFY(target.toImage().pixel(kItemRects[120].x + 2, kItemRects[120].y + 2) != 0);
}

void BenchWindow::macroListRepaint() {
    const SkinRect& tab = kItemRects[static_cast<std::size_t>(kItemAdvancedTab)];
    QTest::mouseClick(m_rig.window.get(), Qt::LeftButton, {}, QPoint(tab.x + tab.w / 2, tab.y + tab.h / 2));
    MacroStore& store = m_rig.window->GetController().Store();
    const char16_t* names[] = {u"Quick Jump", u"连招一號", u"マクロ連続", u"매크로 점프"};
    for (int slot = 0; slot < 24; ++slot) {
        store.m_Macro[slot].count = 1;
        store.m_strMacroNames[slot] = std::u16string(names[slot % 4]) + char16_t(u'A' + slot);
    }
    store.m_nMacroCount = 24;
    const SkinRect& r = kItemRects[static_cast<std::size_t>(kItemMacroList)];
    const QRect list(r.x, r.y, r.w, r.h);
    QPixmap target(list.size());
    QBENCHMARK { m_rig.window->render(&target, {}, QRegion(list)); }
    QVERIFY(target.toImage().pixel(4, 4) != 0);
    store = MacroStore{};
}

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"
