#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace namenswerk::test {

// A fresh folder under the system's temporary location, removed with the
// object. Every test that touches files works in one of these.
class TempFolder {
public:
    TempFolder();

    // The folder's absolute path, ending in "/".
    QString path() const;
    // Absolute path of a name inside the folder.
    QString file(const QString &name) const;
    // Writes bytes to a file inside the folder (creating subfolders) and returns its path.
    QString write(const QString &name, const QByteArray &bytes = {}) const;
    // The whole content of a file inside the folder; empty when it cannot be read.
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir dir_;
};

} // namespace namenswerk::test
