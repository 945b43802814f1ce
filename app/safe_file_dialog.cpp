#include "app/safe_file_dialog.h"

#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QTreeView>

#include "skin/qt_text.h"

namespace voltrane {

namespace {

constexpr QSize kFileDialogSize(760, 480);

// The detail view's columns fit what they show: the size, type and date columns their longest text,
// the name column the rest of the width.
void readableColumns(QFileDialog& dialog) {
    QTreeView* details = dialog.findChild<QTreeView*>();
    if (!details) return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
}

// A view of the files that only browses: no drag starts in it, no drop lands in it, no key or click
// renames, and it has no context menu (rename, delete) and no Delete key.
void browseOnly(QAbstractItemView& view) {
    view.setDragDropMode(QAbstractItemView::NoDragDrop);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setContextMenuPolicy(Qt::NoContextMenu);
    const QList<QKeySequence> deleteKeys = QKeySequence::keyBindings(QKeySequence::Delete);
    for (QShortcut* shortcut : view.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
        if (shortcut->keys() == deleteKeys) shortcut->setEnabled(false);
    }
}

}  // namespace

bool IsNamePattern(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

SafeFileDialog::SafeFileDialog(QWidget* owner, const std::filesystem::path& startDir,
                               const FileFilter& filter, AcceptMode mode)
    : QFileDialog(owner), m_description(ToQString(filter.description)) {
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
    setOption(DontConfirmOverwrite);
    setOption(ReadOnly, mode == AcceptOpen);
    setDirectory(QString::fromStdString(startDir.string()));
    setDefaultSuffix(ToQString(filter.defaultExtension));
    setNameFilter(m_description);
    setViewMode(Detail);
    readableColumns(*this);
    resize(kFileDialogSize);
    selectFile(ToQString(filter.initialName));
}

std::optional<std::filesystem::path> SafeFileDialog::Choose() {
    while (exec() == Accepted && !selectedFiles().isEmpty()) {
        const QFileInfo chosen(selectedFiles().front());
        if (!IsNamePattern(chosen.fileName()))
            return std::filesystem::path(chosen.filePath().toStdString());
        // The desktop's dialog closed on a pattern: it opens again showing the files that match.
        showMatching(chosen);
    }
    return std::nullopt;
}

void SafeFileDialog::accept() {
    const QStringList chosen = selectedFiles();
    if (m_files && !chosen.isEmpty() && IsNamePattern(QFileInfo(chosen.front()).fileName())) {
        showMatching(QFileInfo(chosen.front()));
        return;
    }
    QFileDialog::accept();
}

void SafeFileDialog::showEvent(QShowEvent* event) {
    if (!m_files) protectFiles();
    QFileDialog::showEvent(event);
}

// Qt's own dialog (the desktop's has no file model among our children): open dialogs change
// nothing on disk, save dialogs can still make a folder. Applied at showing, because Qt builds its
// dialog late where the desktop's could not be shown.
void SafeFileDialog::protectFiles() {
    m_files = findChild<QFileSystemModel*>();
    if (!m_files) return;
    m_files->setReadOnly(acceptMode() == AcceptOpen);
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
        if (view->model() == m_files) browseOnly(*view);
    }
}

// The folder the pattern was typed in (when it exists), with the pattern as the filter entry shown
// and in the name field, ready to be typed over.
void SafeFileDialog::showMatching(const QFileInfo& chosen) {
    if (chosen.dir().exists()) setDirectory(chosen.absolutePath());
    const QString pattern = chosen.fileName();
    setNameFilters({m_description, pattern});
    selectNameFilter(pattern);
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setText(pattern);
        name->selectAll();
    } else {
        selectFile(pattern);
    }
}

}  // namespace voltrane
