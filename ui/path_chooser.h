#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace namenswerk {

// A folder whose files are to be added.
struct FolderChoice {
    QString folder;
    bool withSubfolders = false;
};

// Whatever lets the user pick files and folders for the list: the desktop's
// file dialog in the window, scripted choices in tests.
class PathChooser {
public:
    virtual ~PathChooser() = default;

    // Full paths of the chosen files; empty when the user cancelled.
    // startFolder: where the dialog opens.
    virtual QStringList chooseFiles(const QString &startFolder) = 0;
    // The chosen folder and whether its subfolders count; none when cancelled.
    // withSubfolders: how the check box starts.
    virtual std::optional<FolderChoice> chooseFolder(const QString &startFolder,
                                                     bool withSubfolders) = 0;

protected:
    PathChooser() = default;
    PathChooser(const PathChooser &) = default;
    PathChooser &operator=(const PathChooser &) = default;
    PathChooser(PathChooser &&) = default;
    PathChooser &operator=(PathChooser &&) = default;
};

// Files through the desktop's own file dialog (QFileDialog), a folder through
// the program's folder dialog, both over the owner window.
class DialogPathChooser final : public PathChooser {
public:
    explicit DialogPathChooser(QWidget *owner) : owner_(owner) {}

    QStringList chooseFiles(const QString &startFolder) override;
    std::optional<FolderChoice> chooseFolder(const QString &startFolder,
                                             bool withSubfolders) override;

private:
    QWidget *owner_; // the main window, which outlives every dialog
};

} // namespace namenswerk
