// The file dialogs of the window: where they open, what they show and what they give back, and
// that nothing done in them harms the files they show.

#include <QDirIterator>
#include <QDrag>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <functional>

#include "app/qt_prompter.h"
#include "control/controller.h"
#include "control/macro_actions.h"
#include "control/profile_actions.h"
#include "when_shown.h"

using namespace voltrane;

namespace {

// Runs `act` on the file dialog once it is open.
void whenDialogShows(std::function<void(QFileDialog*)> act) {
    WhenShown<QFileDialog>([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
                           act);
}

// What the dialog showed when it opened.
struct DialogSight {
    QString directory;
    QStringList filters;
    QString suffix;
    bool save = false;
    bool mustExist = false;
    bool asksToOverwrite = true;
    QString nameField;
    QStringList narrowColumns;  // columns narrower than what they show
};

// The columns of the detail view narrower than their header or their widest entry, and whether
// they all fit the view's width.
QStringList narrowColumns(QFileDialog* dialog) {
    QStringList narrow;
    QTreeView* details = dialog->findChild<QTreeView*>();
    if (!details) return {QStringLiteral("no detail view")};
    const QHeaderView* header = details->header();
    const QAbstractItemModel* model = details->model();
    const QModelIndex folder = details->rootIndex();
    for (int column = 0; column < header->count(); ++column) {
        int needed = header->sectionSizeHint(column);
        for (int row = 0; row < model->rowCount(folder); ++row) {
            const QString text = model->index(row, column, folder).data().toString();
            const int icon = column == 0 ? details->iconSize().width() : 0;
            needed = std::max(needed, details->fontMetrics().horizontalAdvance(text) + icon);
        }
        if (!header->isSectionHidden(column) && header->sectionSize(column) < needed)
            narrow
                << QStringLiteral("%1: %2 < %3").arg(column).arg(header->sectionSize(column)).arg(needed);
    }
    // Every column in view at once, without scrolling sideways.
    int right = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (!header->isSectionHidden(column)) right += header->sectionSize(column);
    }
    if (right > details->viewport()->width())
        narrow << QStringLiteral("columns end at %1, past the view's %2")
                      .arg(right)
                      .arg(details->viewport()->width());
    return narrow;
}

// Everything under `dir`, relative to it, folders included: what the test's actions left on disk.
QStringList filesUnder(const QString& dir) {
    QStringList names;
    QDirIterator entries(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) names << QDir(dir).relativeFilePath(entries.next());
    names.sort();
    return names;
}

// A program directory with files of both kinds and a folder holding one more macro file, the
// window's dialogs on it and a controller over it.
struct ProgramDir {
    QTemporaryDir dir;
    QtPrompter prompter{nullptr, dir.path().toStdString()};
    Controller controller{dir.path().toStdString(), prompter};

    // Makes the files; whether they could be made.
    bool Fill() const {
        if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("keep"))) return false;
        for (const char* name : {"old.ini", "old.mac", "keep/inner.mac"}) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly)) return false;
        }
        return true;
    }
    QStringList Files() const { return filesUnder(dir.path()); }
};

// The dialog's detail view and the row of `name` in the folder it shows; an invalid index until the
// folder's rows are read.
QModelIndex rowOf(QFileDialog* dialog, const QString& name) {
    const QTreeView* details = dialog->findChild<QTreeView*>();
    const QAbstractItemModel* model = details->model();
    for (int row = 0; row < model->rowCount(details->rootIndex()); ++row) {
        const QModelIndex index = model->index(row, 0, details->rootIndex());
        if (index.data().toString() == name) return index;
    }
    return {};
}

// The files, not folders, the detail view lists.
QStringList shownFiles(QFileDialog* dialog) {
    const QTreeView* details = dialog->findChild<QTreeView*>();
    const auto* files = qobject_cast<const QFileSystemModel*>(details->model());
    QStringList names;
    for (int row = 0; files && row < files->rowCount(details->rootIndex()); ++row) {
        const QModelIndex index = files->index(row, 0, details->rootIndex());
        if (!files->isDir(index)) names << index.data().toString();
    }
    names.sort();
    return names;
}

// While it lives, answers Yes to each question box and closes any other box that opens over the file
// dialog, so that a flow that wrongly asks or tells something goes on to show what it did.
class BoxWatch {
public:
    BoxWatch() {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<QFileDialog*>(modal) ? nullptr : qobject_cast<QDialog*>(modal);
            if (!box) return;
            ++m_boxes;
            auto* question = qobject_cast<QMessageBox*>(box);
            if (question && question->button(QMessageBox::Yes))
                return question->button(QMessageBox::Yes)->click();
            box->reject();
        });
        m_poll.start(10);
    }
    // The boxes that opened.
    int Boxes() const { return m_boxes; }

private:
    QTimer m_poll;
    int m_boxes = 0;
};

// The window's actions that open a file dialog.
enum class Action { Export, Import, SaveAs, Load };

// Runs `action` through the controller's dialogs; what it returns is not looked at, the disk is.
void runAction(Action action, Controller& controller) {
    switch (action) {
        case Action::Export:
            static_cast<void>(ExportMacros(controller.Store(), controller.Ui(), 0));
            break;
        case Action::Import:
            static_cast<void>(ImportMacros(controller.Store(), controller.Ui(), 0));
            break;
        case Action::SaveAs:
            static_cast<void>(SaveSettingAs(controller, 0));
            break;
        case Action::Load:
            static_cast<void>(LoadChosenProfile(controller, 0));
            break;
    }
}

// Each dialog with a file it shows and whether it saves.
struct DialogCase {
    const char* name;
    Action action;
    const char* file;
    bool save;
};
constexpr DialogCase kDialogs[] = {{"Load setting", Action::Load, "old.ini", false},
                                   {"Import", Action::Import, "old.mac", false},
                                   {"Setting Save As", Action::SaveAs, "old.ini", true},
                                   {"Export", Action::Export, "old.mac", true}};

// What a dialog showed after Enter was pressed on a pattern.
struct FilterSight {
    bool stillOpen = false;
    QString directory;
    QStringList shown;
    QString nameField;
};

}  // namespace

Q_DECLARE_METATYPE(Action)

class TestFileDialogs : public QObject {
    Q_OBJECT

private slots:
    void dialogsOpenInTheProgramDirectory_data();
    void dialogsOpenInTheProgramDirectory();
    void patternsAreFilters_data();
    void patternsAreFilters();
    void filesStayWhereTheyAre_data();
    void filesStayWhereTheyAre();
    void dragsMoveNothing_data();
    void dragsMoveNothing();
};

// Each dialog typed a name into and accepted: the name with the default extension added.
void TestFileDialogs::dialogsOpenInTheProgramDirectory_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("macros");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("filter");
    QTest::newRow("Setting Save As") << true << false << "mine"
                                     << "mine.ini"
                                     << "INI File (*.ini)";
    QTest::newRow("Load setting") << false << false << "old.ini"
                                  << "old.ini"
                                  << "INI File (*.ini)";
    QTest::newRow("Export") << true << true << "all"
                            << "all.mac"
                            << "MACRO File (*.mac)";
    QTest::newRow("Import") << false << true << "old.mac"
                            << "old.mac"
                            << "MACRO File (*.mac)";
}

void TestFileDialogs::dialogsOpenInTheProgramDirectory() {
    QFETCH(bool, save);
    QFETCH(bool, macros);
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path programDir = dir.path().toStdString();
    for (const char* name : {"old.ini", "old.mac"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QtPrompter prompter(nullptr, programDir);
    DialogSight sight;
    whenDialogShows([&sight, typed](QFileDialog* dialog) {
        const QTreeView* details = dialog->findChild<QTreeView*>();
        static_cast<void>(QTest::qWaitFor(  // the rows are checked below; a dialog without any fails there
            [details] { return details && details->model()->rowCount(details->rootIndex()) > 0; }));
        const QLineEdit* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        sight = {dialog->directory().absolutePath(),
                 dialog->nameFilters(),
                 dialog->defaultSuffix(),
                 dialog->acceptMode() == QFileDialog::AcceptSave,
                 dialog->fileMode() == QFileDialog::ExistingFile,
                 !dialog->testOption(QFileDialog::DontConfirmOverwrite),
                 name ? name->text() : QString(),
                 narrowColumns(dialog)};
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            field->setText(typed);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const FileFilter& files = macros ? kMacroFileFilter : kProfileFilter;
    const std::optional<std::filesystem::path> path =
        save ? prompter.ChooseSaveFile(files) : prompter.ChooseOpenFile(files);

    QCOMPARE(sight.directory, QDir(dir.path()).absolutePath());
    QCOMPARE(sight.filters, QStringList{filter});
    QCOMPARE(sight.suffix, QString(macros ? "mac" : "ini"));
    QCOMPARE(sight.save, save);
    QCOMPARE(sight.mustExist, !save);
    QVERIFY(!sight.asksToOverwrite);
    QCOMPARE(sight.nameField, QString(macros ? "*.mac" : "*.ini"));
    QCOMPARE(sight.narrowColumns, QStringList());
    QVERIFY(path.has_value());
    QCOMPARE(QString::fromStdString(path->string()), dir.filePath(chosen));
}

// Enter on a name holding a wildcard, the offered one or a typed one: the dialog stays open on the
// files that match and nothing is written.
void TestFileDialogs::patternsAreFilters_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("typed");  // empty: the name the dialog offers
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("nameField");
    QTest::newRow("Export, offered name") << Action::Export << ""
                                          << "" << QStringList{"old.mac"} << "*.mac";
    QTest::newRow("Setting Save As, offered name") << Action::SaveAs << ""
                                                   << "" << QStringList{"old.ini"} << "*.ini";
    QTest::newRow("Export, other pattern") << Action::Export << "o?d.*"
                                           << "" << QStringList{"old.ini", "old.mac"} << "o?d.*";
    QTest::newRow("Export, pattern in a folder") << Action::Export << "keep/*.mac"
                                                 << "keep" << QStringList{"inner.mac"} << "*.mac";
    QTest::newRow("Import, offered name") << Action::Import << ""
                                          << "" << QStringList{"old.mac"} << "*.mac";
    QTest::newRow("Load setting, other pattern") << Action::Load << "*.mac"
                                                 << "" << QStringList{"old.mac"} << "*.mac";
}

void TestFileDialogs::patternsAreFilters() {
    QFETCH(Action, action);
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    QFETCH(QStringList, shown);
    QFETCH(QString, nameField);
    ProgramDir program;
    QVERIFY(program.Fill());
    const QStringList before = program.Files();

    FilterSight sight;
    const BoxWatch boxes;
    whenDialogShows([&sight, typed, shown](QFileDialog* dialog) {
        static_cast<void>(QTest::qWaitFor([dialog] { return rowOf(dialog, "keep").isValid(); }));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!typed.isEmpty()) name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
        static_cast<void>(  // what it shows is compared below
            QTest::qWaitFor([&] { return !dialog->isVisible() || shownFiles(dialog) == shown; }));
        sight = {dialog->isVisible(), dialog->directory().absolutePath(), shownFiles(dialog), name->text()};
        if (dialog->isVisible()) dialog->reject();
    });
    runAction(action, program.controller);

    QCOMPARE(program.Files().join(", "), before.join(", "));
    QVERIFY(sight.stillOpen);
    QCOMPARE(boxes.Boxes(), 0);
    QCOMPARE(sight.directory, QDir(program.dir.filePath(folder)).absolutePath());
    QCOMPARE(sight.shown, shown);
    QCOMPARE(sight.nameField, nameField);
}

// The Delete key on a file leaves it where it is, in every dialog. A new folder can be made in the
// save dialogs only.
void TestFileDialogs::filesStayWhereTheyAre_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QStringList>("added");  // what the gesture may add
    for (const auto& [dialog, action, file, save] : kDialogs) {
        for (const char* gesture : {"delete", "new folder"}) {
            QStringList added;
            if (save && QLatin1String(gesture) == "new folder") added << "New Folder";
            QTest::addRow("%s, %s", dialog, gesture) << action << file << gesture << added;
        }
    }
}

void TestFileDialogs::filesStayWhereTheyAre() {
    QFETCH(Action, action);
    QFETCH(QString, file);
    QFETCH(QString, gesture);
    QFETCH(QStringList, added);
    ProgramDir program;
    QVERIFY(program.Fill());
    QStringList expected = program.Files() + added;
    expected.sort();

    const BoxWatch boxes;
    bool shown = false;
    whenDialogShows([&shown, file, gesture](QFileDialog* dialog) {
        shown = QTest::qWaitFor(
            [dialog, file] { return rowOf(dialog, file).isValid() && rowOf(dialog, "keep").isValid(); });
        QTreeView* details = dialog->findChild<QTreeView*>();
        if (gesture == "delete") {
            details->setCurrentIndex(rowOf(dialog, file));
            details->setFocus();
            QTest::keyClick(details, Qt::Key_Delete);
        } else if (auto* newFolder = dialog->findChild<QToolButton*>(QStringLiteral("newFolderButton"))) {
            QTest::mouseClick(newFolder, Qt::LeftButton);
        }
        if (dialog->isVisible()) dialog->reject();
    });
    runAction(action, program.controller);

    QVERIFY(shown);
    QCOMPARE(program.Files().join(", "), expected.join(", "));
}

// A file dragged with the mouse onto a folder of the list stays where it is, in every dialog. Drags
// need a window system: the test runs again under an X server for this (test_file_dialogs_x11).
void TestFileDialogs::dragsMoveNothing_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    for (const auto& [dialog, action, file, save] : kDialogs) QTest::newRow(dialog) << action << file;
}

void TestFileDialogs::dragsMoveNothing() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("no drags without a window system");
    QFETCH(Action, action);
    QFETCH(QString, file);
    ProgramDir program;
    QVERIFY(program.Fill());
    const QStringList before = program.Files();

    bool shown = false;
    whenDialogShows([&shown, file](QFileDialog* dialog) {
        shown = QTest::qWaitForWindowExposed(dialog) && QTest::qWaitFor([dialog, file] {
                    return rowOf(dialog, file).isValid() && rowOf(dialog, "keep").isValid();
                });
        QTreeView* details = dialog->findChild<QTreeView*>();
        QWidget* list = details->viewport();
        const QPoint from = details->visualRect(rowOf(dialog, file)).center();
        const QPoint onto = details->visualRect(rowOf(dialog, "keep")).center();
        // Once a drag runs (its own event loop), the mouse goes onto the folder and lets go there.
        WhenShown<QDrag>(
            [details = QPointer<QTreeView>(details)] {  // the dialog may be gone by then
                return details ? details->findChild<QDrag*>() : nullptr;
            },
            [list, onto](QDrag*) {
                QTest::mouseMove(list, onto);
                QTest::mouseRelease(list, Qt::LeftButton, {}, onto);
            },
            [] {});
        QTest::mousePress(list, Qt::LeftButton, {}, from);
        QTest::mouseMove(list, from + QPoint(0, QApplication::startDragDistance() * 3));
        QTest::mouseMove(list, onto);
        QTest::mouseRelease(list, Qt::LeftButton, {}, onto);
        if (dialog->isVisible()) dialog->reject();
    });
    runAction(action, program.controller);

    QVERIFY(shown);
    QCOMPARE(program.Files().join(", "), before.join(", "));
}

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
