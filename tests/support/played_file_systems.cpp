#include "tests/support/played_file_systems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace namenswerk::test {

namespace {

int refuseNoReplace(const char *, const char *)
{
    return EINVAL;
}

int refuseLink(const char *, const char *)
{
    return EPERM;
}

// The path of what the folder holds under the path's name in any spelling;
// empty when it holds nothing of that name.
QByteArray heldSpelling(const char *path)
{
    const QFileInfo info(QFile::decodeName(path));
    const QStringList names =
        QDir(info.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
            return QFile::encodeName(info.path() + u'/' + name);
        }
    }
    return {};
}

int blindRename(const char *from, const char *to)
{
    return heldSpelling(to).isEmpty() ? platform::systemRenameSteps().rename(from, to) : EEXIST;
}

int blindLink(const char *from, const char *to)
{
    return heldSpelling(to).isEmpty() ? platform::systemRenameSteps().link(from, to) : EEXIST;
}

int blindClaim(const char *path)
{
    return heldSpelling(path).isEmpty() ? platform::systemRenameSteps().claim(path) : EEXIST;
}

bool blindSameFile(const char *first, const char *second)
{
    const QByteArray one = heldSpelling(first);
    const QByteArray other = heldSpelling(second);
    return !one.isEmpty() && !other.isEmpty() &&
           platform::systemRenameSteps().sameFile(one.constData(), other.constData());
}

} // namespace

platform::RenameSteps claimOnlySteps()
{
    return withoutLinks(platform::systemRenameSteps());
}

platform::RenameSteps withoutLinks(platform::RenameSteps steps)
{
    steps.rename = refuseNoReplace;
    steps.link = refuseLink;
    return steps;
}

platform::RenameSteps caseBlindSteps()
{
    platform::RenameSteps steps = platform::systemRenameSteps();
    steps.rename = blindRename;
    steps.link = blindLink;
    steps.claim = blindClaim;
    steps.sameFile = blindSameFile;
    return steps;
}

} // namespace namenswerk::test
