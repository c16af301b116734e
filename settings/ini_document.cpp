#include "settings/ini_document.h"

#include "platform/regular_file.h"
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

// Whether a key as written names the wanted key: letter case does not count.
// Keys of ASCII letters, as the program's own are, are compared as bytes.
bool sameKey(QByteArrayView written, const QString &wanted)
{
    const QByteArrayView trimmed = written.trimmed();
    const bool ascii = std::all_of(trimmed.begin(), trimmed.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && trimmed.size() == wanted.size()) {
        return QLatin1StringView(trimmed).compare(wanted, Qt::CaseInsensitive) == 0;
    }
    return !ascii && QString::fromUtf8(trimmed).trimmed().toCaseFolded() == wanted.toCaseFolded();
}

// The whole file, or nothing when it holds more than limit bytes or cannot be
// read. Room for what the file holds now is taken at once; a file that grows
// meanwhile still cannot pass the limit.
std::optional<QByteArray> readAtMost(QFile &file, qint64 limit)
{
    const qint64 expected = file.size();
    if (expected > limit) {
        return std::nullopt;
    }
    QByteArray bytes(expected + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit) {
                return std::nullopt;
            }
            bytes.resize(std::min(filled * 2, limit + 1));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    if (filled > limit) {
        return std::nullopt;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

IniDocument::IniDocument() : sections_(1) {}

IniDocument IniDocument::load(const QString &path)
{
    QFile file(path);
    if (!platform::openRegularFile(file)) {
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
    document.read_ = bytes;
    QByteArrayView data(document.read_);
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

        // Every line refers to the bytes read; only a changed line gets its own.
        const QByteArray line = QByteArray::fromRawData(text.data(), text.size());
        QString name;
        if (readHeader(text, name)) {
            document.sections_.push_back({name, line, {}});
        } else {
            document.sections_.back().lines.push_back(parseLine(line));
        }
    }
    document.rebuildIndex();
    return document;
}

IniDocument::Line IniDocument::parseLine(QByteArray text)
{
    Line line{std::move(text), -1};
    const qsizetype equals = line.text.indexOf('=');
    if (equals > 0 && !isComment(line.text) && !isBlank(QByteArrayView(line.text).first(equals))) {
        line.valueStart = equals + 1;
    }
    return line;
}

QByteArrayView IniDocument::Line::keyText() const
{
    return valueStart < 0 ? QByteArrayView() : QByteArrayView(text).first(valueStart - 1);
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

const IniDocument::Line *IniDocument::findLine(const Section &section, const QString &key)
{
    const auto found =
        std::find_if(section.lines.begin(), section.lines.end(), [&](const Line &line) {
            return line.valueStart >= 0 && sameKey(line.keyText(), key);
        });
    return found == section.lines.end() ? nullptr : &*found;
}

bool IniDocument::contains(const QString &group, const QString &key) const
{
    const qsizetype index = sectionIndex(group);
    return index >= 0 && findLine(sections_[std::size_t(index)], key) != nullptr;
}

QString IniDocument::value(const QString &group, const QString &key, const QString &fallback) const
{
    const qsizetype index = sectionIndex(group);
    if (index < 0) {
        return fallback;
    }
    const Line *line = findLine(sections_[std::size_t(index)], key);
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
        if (line.valueStart < 0) {
            continue;
        }
        const QString name = QString::fromUtf8(line.keyText()).trimmed();
        if (findLine(section, name) == &line) {
            names.append(name);
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

    Section &section = sectionForWriting(group);
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        Line &line = section.lines[i];
        if (line.valueStart >= 0 && sameKey(line.keyText(), key)) {
            if (QByteArrayView(line.text).sliced(line.valueStart) != bytes) {
                line = parseLine(key.toUtf8() + '=' + bytes);
            }
            return;
        }
        if (line.valueStart >= 0) {
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
        std::erase_if(sections_[std::size_t(index)].lines, [&](const Line &line) {
            return line.valueStart >= 0 && sameKey(line.keyText(), key);
        });
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

void IniDocument::moveGroupToEnd(const QString &group)
{
    const QString folded = group.toCaseFolded();
    const auto moved =
        std::stable_partition(sections_.begin() + 1, sections_.end(),
                              [&](const Section &s) { return s.name.toCaseFolded() != folded; });
    if (moved == sections_.end() || moved == sections_.begin() + 1) {
        rebuildIndex();
        return;
    }
    // The empty line that parted the group from the next one now parts the
    // group before it from it.
    std::vector<Line> &before = std::prev(moved)->lines;
    std::vector<Line> &last = sections_.back().lines;
    if (!last.empty() && isBlank(last.back().text) &&
        (before.empty() || !isBlank(before.back().text))) {
        before.push_back(std::move(last.back()));
        last.pop_back();
    }
    rebuildIndex();
}

void IniDocument::forEachKey(
    const QString &group,
    const std::function<void(QByteArrayView key, QByteArrayView value)> &visit) const
{
    const qsizetype index = sectionIndex(group);
    if (index < 0) {
        return;
    }
    for (const Line &line : sections_[std::size_t(index)].lines) {
        if (line.valueStart >= 0) {
            visit(line.keyText().trimmed(), QByteArrayView(line.text).sliced(line.valueStart));
        }
    }
}

qsizetype IniDocument::textSize() const
{
    qsizetype size = ByteOrderMark.size() + LineEnd.size();
    for (const Section &section : sections_) {
        size += section.header.size() + LineEnd.size();
        for (const Line &line : section.lines) {
            size += line.text.size() + LineEnd.size();
        }
    }
    return size;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray out;
    out.reserve(textSize());
    out.append(ByteOrderMark.data(), ByteOrderMark.size());
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
    if (textSize() > MaxFileSize) {
        return false;
    }
    return replaceFileAtomically(path, toBytes());
}

} // namespace namenswerk
