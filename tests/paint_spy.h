#pragma once
// Records the regions a window is asked to paint.

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

class PaintSpy : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};
