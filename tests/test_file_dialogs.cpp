// The file dialogs of the window: where they open, what they show and what they give back.

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/qt_prompter.h"
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

}  // namespace

class TestFileDialogs : public QObject {
    Q_OBJECT

private slots:
    void dialogsOpenInTheProgramDirectory_data();
    void dialogsOpenInTheProgramDirectory();
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

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
