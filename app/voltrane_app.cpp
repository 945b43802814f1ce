#include "app/voltrane_app.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "app/qt_prompter.h"
#include "app/single_instance.h"
#include "app/voltrane_dlg.h"
#include "app/window_activation.h"
#include "device/factory_state.h"
#include "device/hidapi_transport.h"
#include "device/transport_factory.h"
#include "host/host_pointer_factory.h"
#include "settings/language_file.h"
#include "settings/program_dir_care.h"
#include "settings/program_paths.h"
#include "settings/text_tables.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"

namespace voltrane {

namespace {

// Prepares what the first frame draws while the start-up read waits for the mouse (its wait runs an
// event loop): the interface fonts of the language and the basic page's pictures. Without a mouse it
// runs before the first frame instead, which costs nothing extra.
void prepareFirstFrame(int language) {
    QTimer::singleShot(0, qApp, [language] {
        for (const QFont& font : {SmallFont(language), LargeFont(language)}) {
            QFontMetrics(font).horizontalAdvance(QStringLiteral("Apply 0"));
        }
        for (const int picture : {kMainNormal, kMainOver, kMainDown}) static_cast<void>(g_imgSkin[picture]);
    });
}

std::filesystem::path toPath(const QString& text) { return std::filesystem::path(text.toStdU16String()); }

// A folder as the program names folders: ending in "/".
QString folderText(const std::filesystem::path& folder) {
    return QString::fromStdU16String(folder.u16string()) + QLatin1Char('/');
}

// Shows a window that is hidden to the tray or minimised, over the others: on Wayland the compositor
// does, activating it with the later start's `token`.
void BringForward(QWidget& window, const QString& token) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    if (!ActivateWithToken(window, token)) window.activateWindow();
}

}  // namespace

bool CVoltraneApp::InitResources(const QString& programDir, const QString& skinDir) {
    CreateInterfaceFonts();
    m_nLanguage = ReadLanguage(toPath(programDir + QStringLiteral("LANGUAGE.ini")));
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    if (const std::optional<QString> missing = LoadSkinImages(g_imgSkin, skinDir, ratio)) {
        reportMissingFile(*missing);
        return false;
    }
    prepareFirstFrame(m_nLanguage);
    return true;
}

void CVoltraneApp::reportMissingFile(const QString& path) {
    QtPrompter dialogs(nullptr, {});
    UserInterface& ui = m_prompter ? *m_prompter : dialogs;
    const QString text = ToQString(GetText(TextTable::Message, kMessageFileMissing, m_nLanguage)) + path;
    ui.ShowMessage(text.toStdU16String(), u"Error", m_nLanguage);
}

void CVoltraneApp::reportNotice(int row, const QStringList& details) {
    const QString text = (QStringList{ToQString(GetText(TextTable::Notice, row, m_nLanguage))} + details)
                             .join(QLatin1Char('\n'));
    std::fprintf(stderr, "voltrane: %s\n", text.toUtf8().constData());
    QtPrompter dialogs(nullptr, {});
    UserInterface& ui = m_prompter ? *m_prompter : dialogs;
    ui.ShowMessage(text.toStdU16String(), u"Error", m_nLanguage);
}

int CVoltraneApp::InitInstance() {
    const ProgramPaths paths = LocateProgramPaths(toPath(QCoreApplication::applicationDirPath()),
                                                  std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    const std::filesystem::path& dir = paths.programDir;
    SingleInstance instance(dir, StartActivationToken);
    if (instance.role() == SingleInstance::Role::Forwarded) return 0;
    if (!InitResources(folderText(dir), folderText(paths.skinDir))) return 1;
    if (instance.role() == SingleInstance::Role::NoAnswer) {
        reportNotice(kNoticeInstanceNoAnswer, {folderText(dir)});
        return 1;
    }
    RemoveLeftoverSaves(dir);
    if (const std::optional<std::string> problem = FolderWriteProblem(dir))
        reportNotice(kNoticeFolderNotWritable, {folderText(dir), QString::fromLocal8Bit(problem->c_str())});
    const DeviceSelection selection = ParseDeviceSelector(std::getenv(kDeviceVariable), dir);
    auto device = std::make_unique<DeviceSession>(CreateTransport(selection, FactoryState()),
                                                  CreateDesktopHostPointer(), m_sleeper, dir);
    CVoltraneDlg window(dir, std::move(device), m_nLanguage, m_prompter);
    instance.OnRequest([&window](const QString& token) { BringForward(window, token); });
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &QDialog::finished, qApp, &QCoreApplication::quit);
    window.show();
    return QApplication::exec();
}

}  // namespace voltrane
