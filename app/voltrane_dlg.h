#pragma once
// The main window: one skinned, borderless surface of 131 items over the main controller. It turns
// clicks, the wheel and keys into item numbers, paints what changed, carries out the controller's
// requests (UserInterface, WindowPort) and shows its painted controls to assistive technology
// (PaintedControls). It is on screen before the mouse is read: the start-up read runs once the first
// frame is painted, or, for a window that is not going to be painted (minimised, or hidden to the tray
// before its first frame), as soon as the event loop runs; until it is done the items are held.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <vector>

#include "capture/key_names.h"
#include "control/main_controller.h"
#include "device/mouse_presence.h"
#include "skin/main_controls.h"
#include "skin/main_painter.h"
#include "skin/painted_controls.h"
#include "skin/skinned_window.h"

class QLineEdit;

namespace voltrane {

class CMyComboBox;
class DeviceWatch;
class TrayIcon;

class CVoltraneDlg : public QDialog, public UserInterface, public WindowPort, public PaintedControls {
public:
    // A window over the files of `programDir` and the mouse of `device` (none: no mouse is found),
    // starting in `language` (the one "LANGUAGE.ini" holds); profile, mouse and macro file are read
    // once its first frame is on the screen, or once it is minimised or hidden before that. Messages,
    // questions and file dialogs go to `prompter` (the Qt dialogs when null), the capture dialogs to
    // `dialogs` (a stand-in that cancels when null).
    CVoltraneDlg(const std::filesystem::path& programDir, std::unique_ptr<DeviceSession> device,
                 int language, UserInterface* prompter = nullptr, CaptureDialogs* dialogs = nullptr);
    ~CVoltraneDlg() override;

    // The user interface: messages, questions and file dialogs through the prompter, repaints here.
    void ShowMessage(std::u16string_view text, std::u16string_view title, int language) override;
    bool AskYesNo(std::u16string_view text, std::u16string_view title, int language) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) override;

    // The window's side of the controller.
    void HideWindow() override;
    void CloseWindow() override;
    void RepaintWindow(bool erase) override;
    void ItemsChanged(std::span<const int> items) override;
    std::optional<int> ShowFunctionMenu(int item) override;
    std::optional<int> ShowSaveAsMenu() override;
    void ShowMacroNameBox(bool show) override;
    std::u16string MacroNameText() const override;
    void SetMacroNameText(std::u16string_view text) override;
    void FocusMacroNameBox() override;

    // A device arrived or went away; the program ends when the mouse that had been there went away.
    void OnDeviceChange(const DeviceEvent& event);
    // The language chosen in the combo box.
    void OnLanguageChange(int language);

    // The painted controls: those of both pages (the hidden page's invisible), then the macro list's
    // rows shown.
    int ControlCount() const override;
    PaintedControl Control(int index) const override;
    int FocusedControl() const override;
    void PressControl(int index) override;
    void ShowControlMenu(int index) override;
    void StepControl(int index, int delta) override;
    void SetControlValue(int index, int value) override;
    void FocusControl(int index) override;

    Controller& GetController() { return m_controller; }
    MainController& GetMainController() { return m_main; }
    QLineEdit* MacroNameEdit() const { return m_editMacroName; }
    CMyComboBox* LanguageBox() const { return m_comboLanguage; }
    // Whether the start-up read is done: before it, clicks, the wheel and Space act on no item.
    bool Started() const { return m_startUp == StartUp::Done; }
    int HotItem() const { return m_main.m_nHotItem; }
    // The item with the keyboard focus (the one activated last), and whether its ring is drawn.
    int FocusItem() const { return m_main.m_nFocusItem; }
    bool ShowsFocusRing() const { return m_bKeyboardFocus && hasFocus(); }

protected:
    // Shows the whole text of an item that is drawn cut short, as its tooltip.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A window minimised or hidden before its first frame is not painted: the read starts without it.
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Tab and Shift+Tab: from group to group in reading order, the child boxes among them.
    bool focusNextPrevChild(bool next) override;

private:
    void initialise(int language);
    void beginStartUp();
    void startUp();
    void createMacroNameBox();
    // The serial number of the mouse the window keeps to; empty when unknown.
    QString mouseSerial();
    void createLanguageBox();
    void fitLanguageBox();
    void hitTest(QPoint point);
    void updateItem(int item);
    MainWindowState paintState() const;
    void createControlList();
    QString controlName(int item) const;

    // The keyboard: stops of the page shown, moves between them, and activation as if clicked.
    std::vector<const MainControl*> stopsOnPage() const;
    const MainControl* currentStop() const;
    void focusStop(const MainControl& stop);
    void moveInGroup(int step);
    bool stepFocused(int key);
    void activateFromKeyboard(int item);
    void selectMacroRow(int row);
    void createPageShortcuts();
    void switchPageFromKeyboard();
    void updateFocusRing();
    void paintFocusRing(QPainter& painter) const;
    void announceItems(std::span<const int> items);
    int controlOfItem(int item) const;

    std::unique_ptr<UserInterface> m_ownPrompter;
    UserInterface& m_prompter;
    KeyNames m_keyNames;  // the desktop's layout, read once at start
    std::unique_ptr<CaptureDialogs> m_ownDialogs;
    Controller m_controller;
    MainController m_main;
    std::unique_ptr<MousePresence> m_presence;
    QLineEdit* m_editMacroName = nullptr;
    CMyComboBox* m_comboLanguage = nullptr;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<DeviceWatch> m_watch;
    int m_nLastHotItem = kNoItem;
    std::vector<const MainControl*> m_painted;  // the painted controls, by control number
    bool m_bKeyboardFocus = false;              // the keyboard moved the focus last: its ring shows
    enum class StartUp { Waiting, Reading, Done };
    StartUp m_startUp = StartUp::Waiting;
    WindowDrag m_drag;
};

}  // namespace voltrane
