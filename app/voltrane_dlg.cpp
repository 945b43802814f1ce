#include "app/voltrane_dlg.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "app/app_icon.h"
#include "app/device_watch.h"
#include "app/qt_capture_dialogs.h"
#include "app/qt_menus.h"
#include "app/qt_prompter.h"
#include "app/tray_icon.h"
#include "control/menu_commands.h"
#include "device/mouse_choice.h"
#include "dialogs/desktop_key_names.h"
#include "settings/languages.h"
#include "skin/item_qrect.h"
#include "skin/main_painter.h"
#include "skin/my_combo_box.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"
#include "skin/skin_style_sheets.h"
#include "skin/skinned_window.h"

namespace voltrane {

namespace {}  // namespace

CVoltraneDlg::CVoltraneDlg(const std::filesystem::path& programDir, std::unique_ptr<DeviceSession> device,
                           int language, UserInterface* prompter, CaptureDialogs* dialogs)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_ownPrompter(prompter ? nullptr : std::make_unique<QtPrompter>(this, programDir)),
      m_prompter(prompter ? *prompter : *m_ownPrompter),
      m_keyNames(DesktopKeyNames()),
      m_ownDialogs(dialogs ? nullptr : std::make_unique<QtCaptureDialogs>(this, g_imgSkin, m_keyNames)),
      m_controller(programDir, *this),
      m_main(m_controller, *this, dialogs ? *dialogs : *m_ownDialogs) {
    m_controller.AttachDevice(std::move(device));
    initialise(language);
}

CVoltraneDlg::~CVoltraneDlg() = default;

void CVoltraneDlg::initialise(int language) {
    setWindowIcon(AppIcon());
    setWindowTitle(QStringLiteral("Tarnhollow GamingMouse Driver Setting"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    InstallPaintedAccessibility();
    InstallComboBoxAccessibility();
    createControlList();
    ShapeAndCentre(*this, g_imgSkin[kMainMask]);
    m_controller.SetLanguage(language);
    createMacroNameBox();
    createLanguageBox();
    createPageShortcuts();
    setFocus();  // not the language box, where a typed letter would switch the language
    if (TrayIcon::IsAvailable()) {
        m_tray = std::make_unique<TrayIcon>(
            windowIcon(), mouseSerial(), [this] { show(); }, [this] { accept(); });
    }
}

QString CVoltraneDlg::mouseSerial() {
    const DeviceSession* device = m_controller.Device();
    if (device == nullptr || ChoiceIsPath(device->Choice())) return {};
    return QString::fromStdString(device->Choice());
}

// The device protocol's pauses wait in an event loop that paints and leaves input queued: what the
// person does meanwhile acts once the mouse's values are in.
void CVoltraneDlg::startUp() {
    const MacroNameBox box = m_main.Initialise(m_controller.Language());
    m_editMacroName->setText(ToQString(box.text));
    m_editMacroName->setEnabled(box.enabled);
    if (DeviceSession* device = m_controller.Device()) {
        m_presence = std::make_unique<MousePresence>(device->Context().hid);
        m_presence->Probe();
        m_watch =
            std::make_unique<DeviceWatch>([this](const DeviceEvent& event) { OnDeviceChange(event); });
    }
    m_startUp = StartUp::Done;
    update();
}

void CVoltraneDlg::createMacroNameBox() {
    m_editMacroName = new QLineEdit(this);
    m_editMacroName->setObjectName(QStringLiteral("1001"));
    m_editMacroName->setStyleSheet(NameBoxStyleSheet());
    m_editMacroName->setFont(SmallFont(m_controller.Language()));
    m_editMacroName->setGeometry(ItemQRect(kItemMacroNameBox));
    m_editMacroName->setAccessibleName(
        ToQString(GetText(TextTable::ControlName, kControlMacroName, m_controller.Language())));
    m_editMacroName->setEnabled(false);
    m_editMacroName->hide();
}

void CVoltraneDlg::createLanguageBox() {
    m_comboLanguage = new CMyComboBox(this);
    m_comboLanguage->setObjectName(QStringLiteral("1002"));
    m_comboLanguage->setStyleSheet(LanguageBoxStyleSheet());
    for (const LanguageNeeds& language : kLanguageNeeds)
        m_comboLanguage->addItem(
            QString::fromUtf16(language.name.data(), static_cast<qsizetype>(language.name.size())));
    m_comboLanguage->setCurrentIndex(m_controller.Language());
    fitLanguageBox();
    connect(m_comboLanguage, &QComboBox::currentIndexChanged, this,
            [this](int index) { OnLanguageChange(index); });
}

// The box keeps its right edge beside the hide button and grows to the left when its font needs
// more room than the skin gives it; it stays centred on its row.
void CVoltraneDlg::fitLanguageBox() {
    m_comboLanguage->setAccessibleName(
        ToQString(GetText(TextTable::ControlName, kControlLanguage, m_controller.Language())));
    const SkinRect& r = kLanguageBoxRect;
    const QSize hint = m_comboLanguage->sizeHint();
    const int width = std::max(r.w, hint.width());
    const int height = std::max(r.h, hint.height());
    m_comboLanguage->setGeometry(r.right() - width, r.y + (r.h - height) / 2, width, height);
}

void CVoltraneDlg::ShowMessage(std::u16string_view text, std::u16string_view title, int language) {
    m_prompter.ShowMessage(text, title, language);
}

bool CVoltraneDlg::AskYesNo(std::u16string_view text, std::u16string_view title, int language) {
    return m_prompter.AskYesNo(text, title, language);
}

std::optional<std::filesystem::path> CVoltraneDlg::ChooseSaveFile(const FileFilter& filter) {
    return m_prompter.ChooseSaveFile(filter);
}

std::optional<std::filesystem::path> CVoltraneDlg::ChooseOpenFile(const FileFilter& filter) {
    return m_prompter.ChooseOpenFile(filter);
}

void CVoltraneDlg::ItemsChanged(std::span<const int> items) {
    for (int item : items) updateItem(item);
    announceItems(items);
}

// Without a tray the hidden window could not be brought back: it is minimised instead.
void CVoltraneDlg::HideWindow() {
    if (m_tray) {
        hide();
    } else {
        showMinimized();
    }
}

void CVoltraneDlg::CloseWindow() { done(QDialog::Rejected); }

// A new page or profile: every control may have changed its states.
void CVoltraneDlg::RepaintWindow(bool) {
    update();
    QAccessible::State changed;
    changed.checked = true;
    changed.invisible = true;
    for (int index = 0; index < ControlCount(); ++index) AnnounceState(this, index, changed);
}

void CVoltraneDlg::ShowMacroNameBox(bool show) { m_editMacroName->setVisible(show); }

std::u16string CVoltraneDlg::MacroNameText() const { return m_editMacroName->text().toStdU16String(); }

void CVoltraneDlg::SetMacroNameText(std::u16string_view text) { m_editMacroName->setText(ToQString(text)); }

// The text is selected, so that a name typed next replaces it ("<New Macro>" above all).
void CVoltraneDlg::FocusMacroNameBox() {
    m_editMacroName->setEnabled(true);
    m_editMacroName->setFocus();
    m_editMacroName->selectAll();
}

// The function menu opens at the button's bottom left corner, 3 pixels to the left.
std::optional<int> CVoltraneDlg::ShowFunctionMenu(int item) {
    const std::unique_ptr<CMyMenu> menu =
        BuildFunctionMenu(m_controller.Language(), m_controller.Setting().m_nItem[item], this);
    menu->setAccessibleName(controlName(item));
    return TrackMenu(*menu, mapToGlobal(ItemQRect(item).bottomLeft() + QPoint(-3, 1)));
}

// The save-as menu's items end where " Save setting" begins.
std::optional<int> CVoltraneDlg::ShowSaveAsMenu() {
    const std::unique_ptr<CMyMenu> menu = BuildSaveAsMenu(m_controller.Language(), this);
    const int height = (kSaveAsMenu.last - kSaveAsMenu.first + 1) * CMyMenu::ItemSize(kMenuSaveAs).height();
    return TrackMenu(*menu, mapToGlobal(ItemQRect(kItemSaveSetting).topLeft() - QPoint(0, height)));
}

void CVoltraneDlg::OnDeviceChange(const DeviceEvent& event) {
    if (m_presence && m_presence->MouseWentAway(event)) accept();
}

void CVoltraneDlg::OnLanguageChange(int language) {
    m_main.ChangeLanguage(language);
    m_editMacroName->setFont(SmallFont(m_controller.Language()));
    m_editMacroName->setAccessibleName(
        ToQString(GetText(TextTable::ControlName, kControlMacroName, m_controller.Language())));
    fitLanguageBox();
    for (int index = 0; index < ControlCount(); ++index) AnnounceNameChange(this, index);
}

// The start-up read, once the event loop runs; it starts once only.
void CVoltraneDlg::beginStartUp() {
    if (m_startUp != StartUp::Waiting) return;
    m_startUp = StartUp::Reading;
    QTimer::singleShot(0, this, [this] { startUp(); });
}

void CVoltraneDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) beginStartUp();
}

void CVoltraneDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    beginStartUp();
}

// The first frame starts the start-up read, once it is on the screen.
void CVoltraneDlg::paintEvent(QPaintEvent* event) {
    beginStartUp();
    QPainter painter(this);
    ClipToOutline(painter, *this, event->region());
    const MainWindowState state = paintState();
    const MainWindowFonts fonts{SmallFont(state.language), LargeFont(state.language)};
    for (const QRect& rect : event->region()) PaintMainWindow(painter, rect, state, g_imgSkin, fonts);
    paintFocusRing(painter);
}

MainWindowState CVoltraneDlg::paintState() const {
    return {m_controller.Setting(),
            m_controller.Store(),
            m_keyNames,
            m_main.m_nPage,
            m_main.m_bSideView,
            m_main.m_nHotItem,
            m_controller.Language(),
            QString::fromStdString(m_controller.m_strMacroFile.filename().string())};
}

// An item's rectangle, and the track of the slider whose thumb shows the item's value.
void CVoltraneDlg::updateItem(int item) {
    if (item < 0 || item >= kItemCount) return;
    const QRect rect = ItemQRect(item);
    if (!rect.isEmpty()) update(rect);
    for (const SliderGeometry& slider : kSliders) {
        if (slider.valueItem == item) update(ItemQRect(slider.item));
    }
}

}  // namespace voltrane
