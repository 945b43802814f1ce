// Painting the main window: a full repaint, and the repaint a hover change asks for (the old and the
// new hot item's rectangles).

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

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"
