#pragma once

#include "platform/append_file.h"
#include "rename/record_line.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace namenswerk {

// Where a run's journal lives: beside the settings file.
QString journalFilePath(const QString &settingsFolder);

// The trace a rename run leaves on disk while it works, so that a run which
// dies half-way (killed, power cut, crash) can still be undone: each renamed
// pair is appended right after its rename, stored into the file's pages at
// once (see platform/append_file.h), so that no system call per file slows
// the run. Since a
// run can die inside the rename itself, the pair about to be renamed is
// announced as pending first; it counts only when its rename is confirmed,
// or, for the last one, when the disk shows it done (see interrupted_run.h).
// The confirmation and the next announcement share one write.
//
// Where the file system can refuse to replace only by a claim (an empty file
// made at the new name first, see no_replace_rename.h), the claim is
// announced before it is made, so that a run killed between the claim and
// the rename leaves no stray empty file after recovery. Readers that know no
// claims pass over these lines, as over any line of another form.
//
// Lines end in "\n"; names are UTF-8, percent-encoded, so that tabs and line
// breaks in names cannot be mistaken for the format's own.
class RenameJournal {
public:
    // Starts the journal of a run whose record folder is given. It stays
    // unused when the file cannot be made, or when an older one is in the way.
    RenameJournal(const QString &settingsFolder, const QString &recordFolder);

    bool isOpen() const { return file_.isOpen(); }

    // The line that announces the pair as pending, made ahead of the run's
    // renames so that storing it costs no more than a copy.
    static QByteArray pendingLineOf(const RenamedPair &pair);

    // Before the rename of the pair is tried, unless announced already.
    void pending(const RenamedPair &pair) { pending(pendingLineOf(pair)); }
    void pending(const QByteArray &pendingLine);
    // Right before the new name of the pending pair is claimed.
    void claiming();
    // Right after the pending pair was renamed; announces the next pair to
    // be tried, if known.
    void renamed(const RenamedPair *next = nullptr);
    void renamed(const QByteArray *nextPendingLine);
    // The run's record is written, or it renamed nothing: the journal goes.
    void remove();

private:
    void append(std::initializer_list<QByteArrayView> pieces);
    // The pending pair's line without its mark.
    QByteArrayView pendingPair() const;

    platform::AppendFile file_;
    QString path_;
    bool created_ = false;
    QByteArray pendingLine_;
};

struct JournalContents {
    bool readable = false; // the file could be read
    bool complete = false; // its first line is a whole journal heading
    QString folder;
    std::vector<RenamedPair> renamed;
    // The pair last written as pending without a confirmation after it: the
    // run died while or right after it tried this rename.
    std::optional<RenamedPair> pending;
    // The pending pair, when the run had announced a claim of its new name.
    std::optional<RenamedPair> claimed;
};

// Reads a journal block by block, up to its first NUL byte (the room a
// killed run reserved and did not fill). A torn last line (one a kill cut
// short) is left out, as is any line that is not of the journal's form or
// longer than any line a run writes; so memory grows with the pairs read,
// never with a line, however large or strange the file.
class JournalReader {
public:
    // Longer than the line of two paths of the longest length the system
    // takes, percent-encoded.
    static constexpr qsizetype MaxLineBytes = qsizetype{64} * 1024;

    JournalReader();
    void feed(QByteArrayView bytes);
    JournalContents finish();

private:
    void takeLine(QByteArrayView line);

    JournalContents journal_;
    QByteArray partial_; // the line read so far
    bool overlong_ = false;
    bool headingSeen_ = false;
    bool done_ = false;
};

JournalContents parseJournal(QByteArrayView bytes);
// Nothing readable from anything but a regular file: a FIFO or a device at
// the journal's place is neither waited on nor read.
JournalContents readJournal(const QString &path);

} // namespace namenswerk
