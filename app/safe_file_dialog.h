#pragma once
// The window's open and save dialogs. They are the desktop's own where the platform theme offers one;
// otherwise Qt's dialog, which here can never rename, delete or move a file: open dialogs change
// nothing on disk, save dialogs only make new folders. In either, a name holding `*` or `?` is a
// filter: accepting it shows the matching files and chooses nothing.

#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <optional>

#include "control/user_interface.h"

class QFileSystemModel;

namespace voltrane {

// Whether `name` is a pattern (holds `*` or `?`) rather than a file's name.
bool IsNamePattern(const QString& name);

// Deliberately without Q_OBJECT: Qt hands a file dialog to the desktop only when its class is
// QFileDialog itself, and the overrides below need no meta-object of their own.
class SafeFileDialog final : public QFileDialog {
public:
    // A dialog in `startDir` set up as `filter` describes: its extension, its one filter entry and the
    // name field's first text. Save dialogs ask no question when the file exists.
    SafeFileDialog(QWidget* owner, const std::filesystem::path& startDir, const FileFilter& filter,
                   AcceptMode mode);

    // Runs the dialog until the user chooses a file or cancels. Returns the chosen path, or
    // std::nullopt when cancelled; never a name that is a pattern.
    std::optional<std::filesystem::path> Choose();

protected:
    void accept() override;
    void showEvent(QShowEvent* event) override;

private:
    void protectFiles();
    void showMatching(const QFileInfo& chosen);

    QString m_description;                // the filter entry's text
    QFileSystemModel* m_files = nullptr;  // Qt's own dialog's view of the disk; null for the desktop's
};

}  // namespace voltrane
