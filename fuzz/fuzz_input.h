#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace namenswerk::fuzz {

// Turns one fuzzer input into the several arguments a call needs: option
// bytes first, then text fields, each up to the next line feed. The seed
// files are written in the same layout, so they stay readable.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : rest_(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
    {
    }

    bool atEnd() const { return rest_.isEmpty(); }

    // The next byte; 0 once the input is used up.
    std::uint8_t byte()
    {
        if (rest_.isEmpty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_ = rest_.sliced(1);
        return value;
    }

    // The bytes up to the next line feed (which is dropped), or all that is left.
    QByteArrayView rawField()
    {
        const qsizetype end = rest_.indexOf('\n');
        const QByteArrayView field = end < 0 ? rest_ : rest_.first(end);
        rest_ = end < 0 ? QByteArrayView() : rest_.sliced(end + 1);
        return field;
    }

    QString field() { return QString::fromUtf8(rawField()); }

    // A field read as UTF-16 code units in the machine's order, so that texts
    // with lone surrogates, which no UTF-8 decoding yields, are tried too.
    QString utf16Field()
    {
        const QByteArrayView bytes = rawField();
        QString text(bytes.size() / 2, Qt::Uninitialized);
        if (!text.isEmpty()) {
            std::memcpy(text.data(), bytes.data(), static_cast<std::size_t>(text.size()) * 2);
        }
        return text;
    }

    // Everything not yet taken.
    QByteArrayView rest() const { return rest_; }

private:
    QByteArrayView rest_;
};

} // namespace namenswerk::fuzz
