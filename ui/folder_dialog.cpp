#include "ui/folder_dialog.h"

#include "platform/file_system.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// Wide enough for a usual path such as /home/anna/Bilder/Urlaub 2016.
constexpr int FieldWidth = 320;

} // namespace

FolderDialog::FolderDialog(QWidget *owner)
    : QDialog(owner), folderField_(new QLineEdit(this)),
      browseButton_(new QPushButton(u"&Durchsuchen…"_s, this)),
      subfolderBox_(new QCheckBox(u" &Unterordner einbeziehen"_s, this)),
      addButton_(new QPushButton(u"&Hinzufügen"_s, this)),
      cancelButton_(new QPushButton(u"&Abbrechen"_s, this))
{
    setWindowTitle(u"Ordner hinzufügen"_s);
    setModal(true);
    auto *label = new QLabel(u"&Ordner:"_s, this);
    label->setBuddy(folderField_);
    folderField_->setMinimumWidth(FieldWidth);
    addButton_->setDefault(true);
    browseButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(addButton_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancelButton_, QDialogButtonBox::RejectRole);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(folderField_, 0, 1);
    grid->addWidget(browseButton_, 0, 2);
    grid->addWidget(subfolderBox_, 1, 1, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseButton_, &QPushButton::clicked, this, &FolderDialog::browse);
    connect(folderField_, &QLineEdit::textChanged, this, &FolderDialog::updateAddButton);
}

FolderDialog::~FolderDialog() = default;

void FolderDialog::prepare(const QString &startFolder, bool withSubfolders)
{
    folderField_->setText(startFolder);
    folderField_->selectAll();
    folderField_->setFocus();
    subfolderBox_->setChecked(withSubfolders);
    updateAddButton();
}

FolderChoice FolderDialog::choice() const
{
    return {folderField_->text(), subfolderBox_->isChecked()};
}

void FolderDialog::browse()
{
    const QString chosen =
        QFileDialog::getExistingDirectory(this, u"Ordner hinzufügen"_s, folderField_->text());
    if (!chosen.isEmpty()) {
        folderField_->setText(chosen);
    }
}

void FolderDialog::updateAddButton()
{
    const QString folder = folderField_->text();
    addButton_->setEnabled(!folder.isEmpty() && platform::isFolder(folder));
}

QStringList DialogPathChooser::chooseFiles(const QString &startFolder)
{
    return QFileDialog::getOpenFileNames(owner_, u"Dateien hinzufügen"_s, startFolder);
}

std::optional<FolderChoice> DialogPathChooser::chooseFolder(const QString &startFolder,
                                                            bool withSubfolders)
{
    FolderDialog dialog(owner_);
    dialog.prepare(startFolder, withSubfolders);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

} // namespace namenswerk
