#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

namespace namenswerk {

// Where one kept line lies in the splitter's bytes.
struct LineSpan {
    qsizetype start = 0;
    qsizetype size = 0;
};

// Cuts a stream of 8-bit or 16-bit (little-endian) code units into lines at
// CR, LF and CR LF, and keeps the bytes of the lines that can name a file,
// until it has the folder line and enough path lines.
//
// Empty lines, 8-bit lines with a NUL (no file name holds one, and it would
// cut the path short where it reaches the system) and over-long lines are
// dropped. In 16-bit text, the form in which the program writes its own list
// file, a NUL stands for a backslash that is part of a name (pathFromLine). A
// line counts as over-long beyond MaxLineBytes: the system refuses paths of
// 4096 bytes and more, so such a line names no file in any encoding read, and
// dropping it while it streams by keeps memory small for any input.
class LineSplitter {
public:
    static constexpr qsizetype MaxLineBytes = qsizetype{8} * 1024;

    LineSplitter(qsizetype unitSize, bool withFolderLine, qsizetype maxPaths);

    qsizetype unitSize() const { return unitSize_; }

    // Room for the bytes of the lines to keep, to spare growing in steps.
    void reserve(qsizetype bytes);
    // Takes whole code units; returns false once no more are needed.
    bool feed(QByteArrayView units);
    // The stream has ended: a last line without a line end counts too.
    void finish();

    // The first line when a folder line was asked for and it can name one.
    const std::optional<LineSpan> &folderLine() const { return folderLine_; }
    const std::vector<LineSpan> &paths() const { return paths_; }
    QByteArrayView line(LineSpan span) const
    {
        return QByteArrayView(bytes_).sliced(span.start, span.size);
    }

private:
    template <qsizetype Size> bool feedUnits(QByteArrayView units);
    void append(const char *from, const char *to);
    void endLine();
    bool endsInSeparator(LineSpan span) const;

    qsizetype unitSize_;
    bool expectFolderLine_;
    qsizetype maxPaths_;
    QByteArray bytes_;
    std::optional<LineSpan> folderLine_;
    std::vector<LineSpan> paths_;
    qsizetype lineStart_ = 0;
    bool afterCr_ = false;
    bool tooLong_ = false;
    bool hasNul_ = false;
    bool done_ = false;
};

} // namespace namenswerk
