#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace namenswerk {

// A group/key text file in the form this program keeps its settings in:
// UTF-8 with a byte-order mark, an empty line right after the mark, CR LF line
// ends, "[group]" lines and "key=value" lines without blanks around "=".
// Group and key names match without regard to letter case.
//
// Only the lines the program changes are rewritten; every other line (comments,
// hand-written keys, groups that belong to other parts of the program) is
// written back byte for byte, so nobody's data is lost by someone else's save.
//
// Reading is lenient: LF-only line ends and a missing mark are accepted, a line
// without "=" is kept but holds no key. When a group or a key inside a group
// appears more than once, the first one counts; later copies stay in the file
// but are neither read nor changed.
class IniDocument {
public:
    // An empty document: no groups, not read from a file.
    IniDocument();

    // Larger files are neither written nor read: a record of millions of
    // renames stays far below, and anything larger would cost time and
    // memory without bound. Whatever save() writes, load() reads.
    static constexpr qint64 MaxFileSize = qint64{1024} * 1024 * 1024;

    // The document held in a file; an empty document when the file is missing,
    // unreadable, not a regular file (a FIFO or a device is never waited on)
    // or larger than MaxFileSize. Time and memory grow with the file's size:
    // the lines stay in the bytes read until they are changed.
    static IniDocument load(const QString &path);
    static IniDocument fromBytes(const QByteArray &bytes);

    // The file existed and was read by load().
    bool wasRead() const { return wasRead_; }

    bool contains(const QString &group, const QString &key) const;
    // The value of a key, or fallback when the group or the key is missing.
    QString value(const QString &group, const QString &key, const QString &fallback = {}) const;
    // Group names in file order, as written, each once.
    QStringList groups() const;
    // Key names of a group in file order, as written, each once.
    QStringList keys(const QString &group) const;

    // Changes the key's line in place, or adds the key after the group's last
    // key, or adds the group at the end. Line breaks in the value become blanks,
    // since they would otherwise start new lines in the file.
    void setValue(const QString &group, const QString &key, const QString &value);
    // Removes every line of the key in the group.
    void removeKey(const QString &group, const QString &key);
    // Removes the group with all its lines, every copy of it.
    void removeGroup(const QString &group);
    // Puts the group (every copy of it) after all others, as it was when it
    // was added last; groups added later are then written before it.
    void moveGroupToEnd(const QString &group);

    // Calls visit with the key and the value of every line of the group that
    // holds a key, in file order, duplicates included: a group of hundreds of
    // thousands of keys is read in one pass without a lookup per key.
    void
    forEachKey(const QString &group,
               const std::function<void(QByteArrayView key, QByteArrayView value)> &visit) const;

    // The whole file as it is written.
    QByteArray toBytes() const;
    // Replaces the file in one step (temporary file in the same folder, synced,
    // then renamed over the old one) and creates it when it is missing. On any
    // failure, and when the file would be larger than MaxFileSize, the
    // previous file stays as it was and the result is false.
    bool save(const QString &path) const;

private:
    struct Line {
        // Without its line end; a line as read refers to the bytes read.
        QByteArray text;
        qsizetype valueStart = -1; // first byte after "="; -1 when the line holds no key

        QByteArrayView keyText() const;
    };
    struct Section {
        QString name;      // as written; the lines before the first group have none
        QByteArray header; // the "[name]" line as it stands in the file
        std::vector<Line> lines;
    };

    qsizetype sectionIndex(const QString &group) const;
    Section &sectionForWriting(const QString &group);
    void rebuildIndex();

    static Line parseLine(QByteArray text);
    static const Line *findLine(const Section &section, const QString &key);
    qsizetype textSize() const;

    QByteArray read_;                 // the file's bytes, which the unchanged lines refer to
    std::vector<Section> sections_;   // sections_[0]: lines before the first group
    QHash<QString, qsizetype> index_; // folded group name -> its first section
    bool wasRead_ = false;
};

} // namespace namenswerk
