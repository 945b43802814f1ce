#pragma once
// The language combo box: a standard combo box that ignores the mouse wheel, so that scrolling over
// the window never switches the language by accident.

#include <QComboBox>

namespace voltrane {

class CMyComboBox : public QComboBox {
public:
    explicit CMyComboBox(QWidget* parent = nullptr);

protected:
    // Takes the wheel and does nothing with it.
    void wheelEvent(QWheelEvent* event) override;
    // Keeps the wheel from the open list as well.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace voltrane
