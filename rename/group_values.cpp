#include "rename/group_values.h"

#include <QByteArrayView>

#include <optional>

namespace namenswerk {

namespace {

// The name of a "[name]" line, case-folded; none for every other line.
std::optional<QString> foldedHeader(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(']');
    if (!trimmed.startsWith('[') || close < 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(trimmed.sliced(1, close - 1)).trimmed().toCaseFolded();
}

bool isComment(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

} // namespace

QHash<QString, QString> groupValues(const IniDocument &document, const QString &group)
{
    const QString wanted = group.toCaseFolded();
    const QByteArray bytes = document.toBytes();
    const QByteArrayView text(bytes);
    QHash<QString, QString> values;
    bool inGroup = false;
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0) {
            end = text.size();
        }
        QByteArrayView line = text.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (const std::optional<QString> header = foldedHeader(line)) {
            if (inGroup) {
                break;
            }
            inGroup = *header == wanted;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inGroup || equals <= 0 || isComment(line)) {
            continue;
        }
        const QString key = QString::fromUtf8(line.first(equals)).trimmed().toCaseFolded();
        if (!key.isEmpty() && !values.contains(key)) {
            values.insert(key, QString::fromUtf8(line.sliced(equals + 1)));
        }
    }
    return values;
}

} // namespace namenswerk
