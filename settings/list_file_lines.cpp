#include "settings/list_file_lines.h"

#include "platform/regular_file.h"
#include "settings/line_splitter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace namenswerk {

namespace {

enum class Encoding { Utf8, Utf16LE, Unmarked };

struct ByteOrderMark {
    Encoding encoding = Encoding::Unmarked;
    qsizetype size = 0;
};

constexpr qint64 BlockSize = qint64{64} * 1024;
// Room for a whole list file up to this size is taken at once; the kept
// lines of a larger file grow the buffer as they come.
constexpr qint64 MaxReservedBytes = qint64{16} * 1024 * 1024;

ByteOrderMark byteOrderMark(QByteArrayView start)
{
    if (start.startsWith("\xEF\xBB\xBF")) {
        return {Encoding::Utf8, 3};
    }
    if (start.startsWith("\xFF\xFE")) {
        return {Encoding::Utf16LE, 2};
    }
    return {};
}

// Of the folder line and the first count path lines.
bool allValidUtf8(const LineSplitter &lines, qsizetype count)
{
    const auto valid = [&](LineSpan span) { return lines.line(span).isValidUtf8(); };
    const auto paths = lines.paths().begin();
    return (!lines.folderLine() || valid(*lines.folderLine())) &&
           std::all_of(paths, paths + count, valid);
}

// Each line is decoded on its own, and a leading U+FEFF belongs to the name.
constexpr QStringConverter::Flags LineFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// For the lines taken: the folder line and the first count path lines.
QStringDecoder decoderFor(Encoding encoding, const LineSplitter &lines, qsizetype count)
{
    if (encoding == Encoding::Utf16LE) {
        return QStringDecoder(QStringConverter::Utf16LE, LineFlags);
    }
    if (encoding == Encoding::Utf8 || allValidUtf8(lines, count)) {
        return QStringDecoder(QStringConverter::Utf8, LineFlags);
    }
    // Text without a mark that is not UTF-8 comes from a Windows tool writing
    // its ANSI code page.
    QStringDecoder windows("Windows-1252", LineFlags);
    return windows.isValid() ? std::move(windows)
                             : QStringDecoder(QStringConverter::Latin1, LineFlags);
}

struct SplitFile {
    Encoding encoding;
    LineSplitter lines;
};

// Feeds the file in blocks until the splitter has what it needs or the file ends.
void split(QFile &file, LineSplitter &splitter, QByteArray &block, qsizetype filled, qsizetype from)
{
    const qsizetype unitSize = splitter.unitSize();
    for (;;) {
        const qsizetype whole = (filled - from) / unitSize * unitSize;
        if (!splitter.feed(QByteArrayView(block.constData() + from, whole))) {
            return;
        }
        // Half a UTF-16 code unit waits for the next block.
        const qsizetype rest = filled - from - whole;
        std::memmove(block.data(), block.constData() + from + whole, static_cast<size_t>(rest));
        const qint64 got = file.read(block.data() + rest, BlockSize - rest);
        if (got <= 0) {
            splitter.finish();
            return;
        }
        filled = rest + got;
        from = 0;
    }
}

// Splits the file into lines until maxPaths path lines are there; none
// when it cannot be opened.
std::optional<SplitFile> splitFile(const QString &path, bool withFolderLine, qsizetype maxPaths)
{
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    QByteArray block(BlockSize, Qt::Uninitialized);
    const qsizetype filled = std::max<qint64>(file.read(block.data(), BlockSize), 0);
    const ByteOrderMark mark = byteOrderMark(QByteArrayView(block).first(filled));
    SplitFile result{mark.encoding, LineSplitter(mark.encoding == Encoding::Utf16LE ? 2 : 1,
                                                 withFolderLine, maxPaths)};
    result.lines.reserve(std::min(file.size(), MaxReservedBytes));
    split(file, result.lines, block, filled, mark.size);
    return result;
}

} // namespace

ListFileLines readListFileLines(const QString &path, bool withFolderLine, qsizetype maxPaths)
{
    ListFileLines result;
    // One line more than asked for tells whether the file goes on.
    const qsizetype splitPaths =
        maxPaths < std::numeric_limits<qsizetype>::max() ? maxPaths + 1 : maxPaths;
    const std::optional<SplitFile> split = splitFile(path, withFolderLine, splitPaths);
    if (!split) {
        return result;
    }
    result.opened = true;
    const LineSplitter &splitter = split->lines;
    const std::vector<LineSpan> &spans = splitter.paths();
    const auto taken = static_cast<qsizetype>(
        std::min(spans.size(), static_cast<std::size_t>(std::max<qsizetype>(maxPaths, 0))));
    result.more = static_cast<qsizetype>(spans.size()) > taken;
    QStringDecoder decode = decoderFor(split->encoding, splitter, taken);
    if (splitter.folderLine()) {
        result.folderLine = decode(splitter.line(*splitter.folderLine()));
    }
    result.paths.reserve(taken);
    for (qsizetype index = 0; index < taken; ++index) {
        result.paths.append(decode(splitter.line(spans[static_cast<std::size_t>(index)])));
    }
    return result;
}

qsizetype countListFileLines(const QString &path, bool withFolderLine)
{
    const std::optional<SplitFile> split =
        splitFile(path, withFolderLine, std::numeric_limits<qsizetype>::max());
    return split ? static_cast<qsizetype>(split->lines.paths().size()) : 0;
}

} // namespace namenswerk
