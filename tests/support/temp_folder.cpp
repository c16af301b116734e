#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace namenswerk::test {

TempFolder::TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/namenswerk-test-XXXXXX"))
{
    EXPECT_TRUE(dir_.isValid()) << "cannot create a temporary folder";
}

QString TempFolder::path() const
{
    return dir_.path() + u'/';
}

QString TempFolder::file(const QString &name) const
{
    return path() + name;
}

QString TempFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile out(full);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << "cannot write " << full.toStdString();
    out.write(bytes);
    return full;
}

QByteArray TempFolder::read(const QString &name) const
{
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool TempFolder::exists(const QString &name) const
{
    return QFileInfo::exists(file(name));
}

} // namespace namenswerk::test
