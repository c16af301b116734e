#include "rename/rename_journal.h"

#include "platform/regular_file.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView Heading("Namenswerk rename journal 1\t");
constexpr char PendingMark = '?';
constexpr char RenamedMark = '+';
constexpr char ClaimMark = '!';

bool isUnreserved(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'-' || u == u'.' || u == u'_' || u == u'~';
}

QByteArray encoded(const QString &name)
{
    // Most names are made of characters that percent-encoding keeps as they
    // are; one copy then does.
    if (std::all_of(name.cbegin(), name.cend(), isUnreserved)) {
        return name.toLatin1();
    }
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
    : path_(journalFilePath(settingsFolder))
{
    // A journal left behind by another run is never overwritten.
    if (!file_.create(path_)) {
        return;
    }
    created_ = true;
    append({Heading, encoded(recordFolder), "\n"});
}

void RenameJournal::append(std::initializer_list<QByteArrayView> pieces)
{
    // A journal that cannot take the lines closes: nothing more goes into
    // one with a gap; what it holds stays true, and the run's record does
    // not depend on it.
    file_.append(pieces);
}

QByteArray RenameJournal::pendingLineOf(const RenamedPair &pair)
{
    return PendingMark + ('\t' + encoded(pair.oldName) + '\t' + encoded(pair.newName) + '\n');
}

void RenameJournal::pending(const QByteArray &pendingLine)
{
    pendingLine_ = pendingLine;
    append({pendingLine_});
}

QByteArrayView RenameJournal::pendingPair() const
{
    return pendingLine_.isEmpty() ? QByteArrayView() : QByteArrayView(pendingLine_).sliced(1);
}

void RenameJournal::claiming()
{
    append({QByteArrayView(&ClaimMark, 1), pendingPair()});
}

void RenameJournal::renamed(const RenamedPair *next)
{
    const QByteArray nextLine = next ? pendingLineOf(*next) : QByteArray();
    renamed(next ? &nextLine : nullptr);
}

// The confirmation and the next announcement go in one store.
void RenameJournal::renamed(const QByteArray *nextPendingLine)
{
    append({QByteArrayView(&RenamedMark, 1), pendingPair(),
            nextPendingLine ? QByteArrayView(*nextPendingLine) : QByteArrayView()});
    pendingLine_ = nextPendingLine ? *nextPendingLine : QByteArray();
}

void RenameJournal::remove()
{
    if (created_) {
        file_.close();
        QFile::remove(path_);
        created_ = false;
    }
}

JournalReader::JournalReader()
{
    journal_.readable = true;
}

void JournalReader::feed(QByteArrayView bytes)
{
    // No line holds a NUL byte. The journal's room is reserved ahead and
    // reads as zeros until written, and a run killed while it stored lines
    // may have stored their bytes in any order: what it left ends at the
    // first byte it did not store.
    if (const qsizetype unwritten = bytes.indexOf('\0'); unwritten >= 0 && !done_) {
        feed(bytes.first(unwritten));
        done_ = true;
        return;
    }
    while (!bytes.isEmpty() && !done_) {
        const qsizetype end = bytes.indexOf('\n');
        const QByteArrayView piece = end < 0 ? bytes : bytes.first(end);
        bytes = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
        if (partial_.size() + piece.size() > MaxLineBytes) {
            overlong_ = true;
            partial_.clear();
        } else if (!overlong_) {
            partial_.append(piece);
        }
        if (end < 0) {
            break; // the line goes on in the next block
        }
        if (!overlong_) {
            takeLine(partial_);
        } else if (!headingSeen_) {
            done_ = true; // no heading: the file is not a journal
        }
        partial_.clear();
        overlong_ = false;
    }
}

void JournalReader::takeLine(QByteArrayView line)
{
    if (!headingSeen_) {
        headingSeen_ = true;
        if (!line.startsWith(Heading)) {
            done_ = true;
            return;
        }
        journal_.complete = true;
        journal_.folder = decoded(line.sliced(Heading.size()));
        return;
    }
    RenamedPair pair;
    switch (readPairLine(line, pair)) {
    case PendingMark:
        journal_.pending = std::move(pair);
        journal_.claimed.reset();
        break;
    case ClaimMark:
        if (pair == journal_.pending) {
            journal_.claimed = std::move(pair);
        }
        break;
    case RenamedMark:
        journal_.renamed.push_back(std::move(pair));
        journal_.pending.reset();
        journal_.claimed.reset();
        break;
    default:
        break;
    }
}

JournalContents JournalReader::finish()
{
    // A last line without its line end was torn by the end of the run.
    done_ = true;
    return std::move(journal_);
}

JournalContents parseJournal(QByteArrayView bytes)
{
    JournalReader reader;
    reader.feed(bytes);
    return reader.finish();
}

JournalContents readJournal(const QString &path)
{
    QFile file(path);
    if (!platform::openRegularFile(file)) {
        return {};
    }
    constexpr qint64 BlockSize = qint64{256} * 1024;
    QByteArray block(BlockSize, Qt::Uninitialized);
    JournalReader reader;
    for (;;) {
        const qint64 got = file.read(block.data(), BlockSize);
        if (got < 0) {
            return {};
        }
        if (got == 0) {
            return reader.finish();
        }
        reader.feed(QByteArrayView(block).first(got));
    }
}

} // namespace namenswerk
