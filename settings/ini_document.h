#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

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

    // Larger files are not read at all: no settings file grows that big, and
    // reading it would cost time and memory without bound.
    static constexpr qint64 MaxFileSize = qint64{32} * 1024 * 1024;

    // The document held in a file; an empty document when the file is missing,
    // unreadable or larger than MaxFileSize.
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

    // The whole file as it is written.
    QByteArray toBytes() const;
    // Replaces the file in one step (temporary file in the same folder, synced,
    // then renamed over the old one) and creates it when it is missing. On any
    // failure the previous file stays as it was and the result is false.
    bool save(const QString &path) const;

private:
    struct Line {
        QByteArray text;           // without its line end
        QString key;               // case-folded key name; empty when the line holds no key
        qsizetype valueStart = -1; // first byte after "="
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
    static const Line *findLine(const Section &section, const QString &foldedKey);

    std::vector<Section> sections_;   // sections_[0]: lines before the first group
    QHash<QString, qsizetype> index_; // folded group name -> its first section
    bool wasRead_ = false;
};

} // namespace namenswerk
