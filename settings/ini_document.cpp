#include "settings/ini_document.h"

#include "settings/atomic_file.h"

#include <QByteArrayView>
#include <QFile>

#include <algorithm>
#include <optional>

namespace namenswerk {

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
constexpr QByteArrayView LineEnd("\r\n");

bool isBlank(QByteArrayView text)
{
    return text.trimmed().isEmpty();
}

bool isComment(QByteArrayView text)
{
    const QByteArrayView trimmed = text.trimmed();
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The name of a "[name]" line; false for every other line.
bool readHeader(QByteArrayView text, QString &name)
{
    const QByteArrayView trimmed = text.trimmed();
    const qsizetype close = trimmed.indexOf(']');
    if (!trimmed.startsWith('[') || close < 0) {
        return false;
    }
    name = QString::fromUtf8(trimmed.sliced(1, close - 1)).trimmed();
    return true;
}

// The whole file, or nothing when it holds more than limit bytes or cannot be
// read. The buffer grows with what the file holds: asking the device for the
// limit at once would allocate the limit for every settings file, however small.
std::optional<QByteArray> readAtMost(QFile &file, qint64 limit)
{
    constexpr qint64 ChunkSize = qint64{64} * 1024;
    QByteArray bytes;
    while (bytes.size() <= limit) {
        const QByteArray chunk = file.read(ChunkSize);
        if (chunk.isEmpty()) {
            break;
        }
        bytes += chunk;
    }
    if (bytes.size() > limit || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

IniDocument::IniDocument() : sections_(1) {}

IniDocument IniDocument::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const std::optional<QByteArray> bytes = readAtMost(file, MaxFileSize);
    if (!bytes) {
        return {};
    }
    IniDocument document = fromBytes(*bytes);
    document.wasRead_ = true;
    return document;
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    IniDocument document;
    QByteArrayView data(bytes);
    if (data.startsWith(ByteOrderMark)) {
        data = data.sliced(ByteOrderMark.size());
    }
    for (qsizetype pos = 0; pos < data.size();) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0) {
            end = data.size();
        }
        QByteArrayView text = data.sliced(pos, end - pos);
        if (text.endsWith('\r')) {
            text.chop(1);
        }
        pos = end + 1;

        QString name;
        if (readHeader(text, name)) {
            document.sections_.push_back({name, text.toByteArray(), {}});
        } else {
            document.sections_.back().lines.push_back(parseLine(text.toByteArray()));
        }
    }
    document.rebuildIndex();
    return document;
}

IniDocument::Line IniDocument::parseLine(QByteArray text)
{
    Line line{std::move(text), {}, -1};
    const qsizetype equals = line.text.indexOf('=');
    if (equals > 0 && !isComment(line.text)) {
        line.key = QString::fromUtf8(line.text.first(equals)).trimmed().toCaseFolded();
        if (!line.key.isEmpty()) {
            line.valueStart = equals + 1;
        }
    }
    return line;
}

void IniDocument::rebuildIndex()
{
    index_.clear();
    for (qsizetype i = 1; i < qsizetype(sections_.size()); ++i) {
        const QString folded = sections_[std::size_t(i)].name.toCaseFolded();
        if (!index_.contains(folded)) {
            index_.insert(folded, i);
        }
    }
}

qsizetype IniDocument::sectionIndex(const QString &group) const
{
    return index_.value(group.toCaseFolded(), -1);
}

const IniDocument::Line *IniDocument::findLine(const Section &section, const QString &foldedKey)
{
    const auto found = std::find_if(section.lines.begin(), section.lines.end(),
                                    [&](const Line &line) { return line.key == foldedKey; });
    return found == section.lines.end() ? nullptr : &*found;
}

bool IniDocument::contains(const QString &group, const QString &key) const
{
    const qsizetype index = sectionIndex(group);
    return index >= 0 && findLine(sections_[std::size_t(index)], key.toCaseFolded()) != nullptr;
}

QString IniDocument::value(const QString &group, const QString &key, const QString &fallback) const
{
    const qsizetype index = sectionIndex(group);
    if (index < 0) {
        return fallback;
    }
    const Line *line = findLine(sections_[std::size_t(index)], key.toCaseFolded());
    return line ? QString::fromUtf8(QByteArrayView(line->text).sliced(line->valueStart)) : fallback;
}

QStringList IniDocument::groups() const
{
    QStringList names;
    for (qsizetype i = 1; i < qsizetype(sections_.size()); ++i) {
        if (sectionIndex(sections_[std::size_t(i)].name) == i) {
            names.append(sections_[std::size_t(i)].name);
        }
    }
    return names;
}

QStringList IniDocument::keys(const QString &group) const
{
    QStringList names;
    const qsizetype index = sectionIndex(group);
    if (index < 0) {
        return names;
    }
    const Section &section = sections_[std::size_t(index)];
    for (const Line &line : section.lines) {
        if (!line.key.isEmpty() && findLine(section, line.key) == &line) {
            names.append(
                QString::fromUtf8(QByteArrayView(line.text).first(line.valueStart - 1)).trimmed());
        }
    }
    return names;
}

IniDocument::Section &IniDocument::sectionForWriting(const QString &group)
{
    const qsizetype index = sectionIndex(group);
    if (index >= 0) {
        return sections_[std::size_t(index)];
    }
    // Groups are parted by an empty line; the one after the byte-order mark
    // is added when the file is written.
    Section &last = sections_.back();
    const bool endsWithText =
        last.lines.empty() ? !last.header.isEmpty() : !isBlank(last.lines.back().text);
    if (endsWithText) {
        last.lines.push_back({});
    }
    sections_.push_back({group, QByteArray('[' + group.toUtf8() + ']'), {}});
    index_.insert(group.toCaseFolded(), qsizetype(sections_.size()) - 1);
    return sections_.back();
}

void IniDocument::setValue(const QString &group, const QString &key, const QString &value)
{
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray bytes = oneLine.toUtf8();
    const QString folded = key.toCaseFolded();

    Section &section = sectionForWriting(group);
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        Line &line = section.lines[i];
        if (line.key == folded) {
            if (QByteArrayView(line.text).sliced(line.valueStart) != bytes) {
                line = parseLine(key.toUtf8() + '=' + bytes);
            }
            return;
        }
        if (!line.key.isEmpty()) {
            insertAt = i + 1;
        }
    }
    section.lines.insert(section.lines.begin() + std::ptrdiff_t(insertAt),
                         parseLine(key.toUtf8() + '=' + bytes));
}

void IniDocument::removeKey(const QString &group, const QString &key)
{
    const qsizetype index = sectionIndex(group);
    if (index >= 0) {
        const QString folded = key.toCaseFolded();
        std::erase_if(sections_[std::size_t(index)].lines,
                      [&](const Line &line) { return line.key == folded; });
    }
}

void IniDocument::removeGroup(const QString &group)
{
    const QString folded = group.toCaseFolded();
    const auto removed =
        std::remove_if(sections_.begin() + 1, sections_.end(),
                       [&](const Section &s) { return s.name.toCaseFolded() == folded; });
    sections_.erase(removed, sections_.end());
    rebuildIndex();
}

QByteArray IniDocument::toBytes() const
{
    QByteArray out(ByteOrderMark.data(), ByteOrderMark.size());
    const std::vector<Line> &leading = sections_.front().lines;
    if (leading.empty() || !isBlank(leading.front().text)) {
        out.append(LineEnd);
    }
    for (const Section &section : sections_) {
        if (!section.header.isEmpty()) {
            out.append(section.header).append(LineEnd);
        }
        for (const Line &line : section.lines) {
            out.append(line.text).append(LineEnd);
        }
    }
    return out;
}

bool IniDocument::save(const QString &path) const
{
    return replaceFileAtomically(path, toBytes());
}

} // namespace namenswerk
