#include "app/voltrane_app.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "app/qt_prompter.h"
#include "app/single_instance.h"
#include "app/voltrane_dlg.h"
#include "app/window_activation.h"
#include "device/factory_state.h"
#include "device/hidapi_transport.h"
#include "device/mouse_choice.h"
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

namespace {

// The value of "--device VALUE" (or "--device=VALUE") on the command line, else of VOLTRANE_DEVICE.
QByteArray deviceSelector() {
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--device") && i + 1 < arguments.size()) {
            return arguments[i + 1].toLocal8Bit();
        }
        if (arguments[i].startsWith(QLatin1String("--device="))) return arguments[i].mid(9).toLocal8Bit();
    }
    return qgetenv(kDeviceVariable);
}

// Whether "--minimised" is on the command line: the window starts minimised.
bool startsMinimised() { return QCoreApplication::arguments().contains(QLatin1String("--minimised")); }

}  // namespace

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
    if (!instance.ListenFailure().isEmpty()) {
        std::fprintf(stderr,
                     "voltrane: cannot listen for a second start, which will then not find this one: %s\n",
                     qUtf8Printable(instance.ListenFailure()));
    }
    RemoveLeftoverSaves(dir);
    if (const std::optional<std::string> problem = FolderWriteProblem(dir))
        reportNotice(kNoticeFolderNotWritable, {folderText(dir), QString::fromLocal8Bit(problem->c_str())});
    const QByteArray selector = deviceSelector();
    const DeviceSelection selection = ParseDeviceSelector(selector.constData(), dir);
    std::unique_ptr<HidTransport> transport = CreateTransport(selection, FactoryState());
    // The mouse chosen, or else the first found, by its serial number: the window keeps to it.
    std::string choice = SteadyChoice(transport->Enumerate(), selection.mouseChoice);
    auto device = std::make_unique<DeviceSession>(std::move(transport), CreateDesktopHostPointer(),
                                                  m_sleeper, dir, std::move(choice));
    CVoltraneDlg window(dir, std::move(device), m_nLanguage, m_prompter);
    instance.OnRequest([&window](const QString& token) { BringForward(window, token); });
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &QDialog::finished, qApp, &QCoreApplication::quit);
    startsMinimised() ? window.showMinimized() : window.show();
    return QApplication::exec();
}

}  // namespace voltrane
