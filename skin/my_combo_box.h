#pragma once
// The language combo box: a standard combo box that ignores the mouse wheel, so that scrolling over
// the window never switches the language by accident. It is named for assistive technology like any
// other control.

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

// Lets assistive technology read a CMyComboBox by its accessible name, with its choice as its value
// (Qt's own combo box is named by its choice on Linux). Safe to call more than once.
void InstallComboBoxAccessibility();

}  // namespace voltrane
