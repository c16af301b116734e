#pragma once

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace namenswerk {

// The progress of adding many files. Once adding takes a moment, a small
// window over the owner shows how far it has come and offers "Abbrechen";
// while it shows, the program's windows keep being painted. Short adds never
// show it.
class AddProgressWindow {
public:
    AddProgressWindow(QWidget *owner, const QString &title, int total);
    ~AddProgressWindow();
    AddProgressWindow(const AddProgressWindow &) = delete;
    AddProgressWindow &operator=(const AddProgressWindow &) = delete;
    AddProgressWindow(AddProgressWindow &&) = delete;
    AddProgressWindow &operator=(AddProgressWindow &&) = delete;

    // done paths of the total; false once the user chose "Abbrechen".
    bool advance(int done);

    QProgressDialog &dialog() const { return *dialog_; }

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace namenswerk
