#include "settings/line_splitter.h"

#include <QtEndian>

namespace namenswerk {

LineSplitter::LineSplitter(qsizetype unitSize, bool withFolderLine, qsizetype maxPaths)
    : unitSize_(unitSize), expectFolderLine_(withFolderLine), maxPaths_(maxPaths),
      done_(!withFolderLine && maxPaths <= 0)
{
}

namespace {

template <qsizetype Size> char16_t unitAt(const char *at)
{
    if constexpr (Size == 1) {
        return static_cast<unsigned char>(*at);
    } else {
        return qFromLittleEndian<char16_t>(at);
    }
}

} // namespace

bool LineSplitter::feed(QByteArrayView units)
{
    return unitSize_ == 1 ? feedUnits<1>(units) : feedUnits<2>(units);
}

template <qsizetype Size> bool LineSplitter::feedUnits(QByteArrayView units)
{
    const char *at = units.data();
    const char *const end = at + units.size();
    const char *lineFrom = at;
    for (; at < end && !done_; at += Size) {
        const char16_t unit = unitAt<Size>(at);
        const bool secondHalfOfCrLf = afterCr_ && unit == u'\n';
        afterCr_ = false;
        if (secondHalfOfCrLf) {
            lineFrom = at + Size;
        } else if (unit == u'\r' || unit == u'\n') {
            append(lineFrom, at);
            endLine();
            afterCr_ = unit == u'\r';
            lineFrom = at + Size;
        } else if (unit == 0 && Size == 1) {
            hasNul_ = true;
        }
    }
    if (!done_) {
        append(lineFrom, end);
    }
    return !done_;
}

void LineSplitter::reserve(qsizetype bytes)
{
    bytes_.reserve(bytes);
}

void LineSplitter::finish()
{
    if (!done_ && (bytes_.size() > lineStart_ || tooLong_ || hasNul_)) {
        endLine();
    }
    done_ = true;
}

void LineSplitter::append(const char *from, const char *to)
{
    if (tooLong_ || from == to) {
        return;
    }
    if (bytes_.size() - lineStart_ + (to - from) > MaxLineBytes) {
        tooLong_ = true;
        bytes_.truncate(lineStart_);
        return;
    }
    bytes_.append(from, to - from);
}

// A path line that ends in a folder separator names a folder's inside, not a
// file: it would become an entry without a name whose "rename" moves the
// folder itself.
bool LineSplitter::endsInSeparator(LineSpan span) const
{
    if (span.size < unitSize_) {
        return false;
    }
    const char *last = bytes_.constData() + span.start + span.size - unitSize_;
    const char16_t unit = unitSize_ == 2 ? unitAt<2>(last) : unitAt<1>(last);
    return unit == u'/' || unit == u'\\';
}

void LineSplitter::endLine()
{
    const LineSpan span{lineStart_, bytes_.size() - lineStart_};
    const bool usable = !tooLong_ && !hasNul_ && span.size > 0;
    if (expectFolderLine_) {
        expectFolderLine_ = false;
        // Without its folder the rest of the file means nothing.
        if (usable) {
            folderLine_ = span;
        } else {
            done_ = true;
        }
    } else if (usable && !endsInSeparator(span)) {
        paths_.push_back(span);
    } else {
        bytes_.truncate(lineStart_);
    }
    if (!usable) {
        bytes_.truncate(lineStart_);
    }
    lineStart_ = bytes_.size();
    tooLong_ = false;
    hasNul_ = false;
    done_ = done_ || static_cast<qsizetype>(paths_.size()) >= maxPaths_;
}

} // namespace namenswerk
