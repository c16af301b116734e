#pragma once

#include "ui/path_chooser.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace namenswerk {

// Asks for a folder whose files are added to the list: a field for its path
// (typed, or filled by "Durchsuchen…" through the desktop's folder dialog)
// and a check box for its subfolders. "Hinzufügen" is only offered while the
// field names a folder.
class FolderDialog : public QDialog {
    Q_OBJECT

public:
    explicit FolderDialog(QWidget *owner = nullptr);
    ~FolderDialog() override;
    Q_DISABLE_COPY_MOVE(FolderDialog)

    // Fills the dialog for one question without showing it.
    void prepare(const QString &startFolder, bool withSubfolders);
    // What the dialog holds now, as "Hinzufügen" would return it.
    FolderChoice choice() const;

    QLineEdit *folderField() const { return folderField_; }
    QCheckBox *subfolderBox() const { return subfolderBox_; }
    QPushButton *addButton() const { return addButton_; }
    QPushButton *browseButton() const { return browseButton_; }

private:
    void browse();
    void updateAddButton();

    QLineEdit *folderField_;
    QPushButton *browseButton_;
    QCheckBox *subfolderBox_;
    QPushButton *addButton_;
    QPushButton *cancelButton_;
};

} // namespace namenswerk
