#include "rename/rename_journal.h"

#include <QDir>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView Heading("Namenswerk rename journal 1\t");
constexpr char PendingMark = '?';
constexpr char RenamedMark = '+';

QByteArray encoded(const QString &name)
{
    return name.toUtf8().toPercentEncoding();
}

QString decoded(QByteArrayView field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field.toByteArray()));
}

// "mark TAB old TAB new": the mark, or 0 when the line is of another form.
char readPairLine(QByteArrayView line, RenamedPair &pair)
{
    const qsizetype first = line.indexOf('\t');
    const qsizetype second = line.indexOf('\t', first + 1);
    if (first != 1 || second < 0 || line.indexOf('\t', second + 1) >= 0) {
        return 0;
    }
    pair = {decoded(line.sliced(2, second - 2)), decoded(line.sliced(second + 1))};
    return line.front();
}

} // namespace

QString journalFilePath(const QString &settingsFolder)
{
    return QDir(settingsFolder).filePath(u"Brindlewick.journal"_s);
}

RenameJournal::RenameJournal(const QString &settingsFolder, const QString &recordFolder)
    : file_(journalFilePath(settingsFolder))
{
    // NewOnly: a journal left behind by another run is never overwritten.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::NewOnly |
                    QIODevice::Unbuffered)) {
        return;
    }
    created_ = true;
    append(QByteArray(Heading.toByteArray() + encoded(recordFolder) + '\n'));
}

void RenameJournal::append(QByteArrayView lines)
{
    if (file_.isOpen() && file_.write(lines.data(), lines.size()) != lines.size()) {
        // Nothing more goes into a journal with a gap; what it holds stays
        // true, and the run's record does not depend on it.
        file_.close();
    }
}

QByteArray RenameJournal::fieldsOf(const RenamedPair &pair)
{
    return '\t' + encoded(pair.oldName) + '\t' + encoded(pair.newName) + '\n';
}

void RenameJournal::pending(const RenamedPair &pair)
{
    pendingFields_ = fieldsOf(pair);
    append(QByteArray(PendingMark + pendingFields_));
}

void RenameJournal::renamed(const RenamedPair *next)
{
    QByteArray lines = RenamedMark + pendingFields_;
    pendingFields_.clear();
    if (next) {
        pendingFields_ = fieldsOf(*next);
        lines += PendingMark + pendingFields_;
    }
    append(lines);
}

void RenameJournal::remove()
{
    if (created_) {
        file_.remove();
        created_ = false;
    }
}

JournalContents parseJournal(QByteArrayView bytes)
{
    JournalContents journal;
    journal.readable = true;
    qsizetype pos = bytes.indexOf('\n');
    if (pos < 0 || !bytes.startsWith(Heading)) {
        return journal;
    }
    journal.complete = true;
    journal.folder = decoded(bytes.first(pos).sliced(Heading.size()));
    for (++pos; pos < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0) {
            break; // torn by the end of the run
        }
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        pos = end + 1;
        RenamedPair pair;
        switch (readPairLine(line, pair)) {
        case PendingMark:
            journal.pending = std::move(pair);
            break;
        case RenamedMark:
            journal.renamed.push_back(std::move(pair));
            journal.pending.reset();
            break;
        default:
            break;
        }
    }
    return journal;
}

JournalContents readJournal(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {};
    }
    return parseJournal(bytes);
}

} // namespace namenswerk
