#include "engine/abbreviate_path.h"

#include <QStringList>

namespace namenswerk {

QString abbreviatePath(const QString &path, int maxLength)
{
    if (path.size() < maxLength) {
        return path;
    }
    const int inner = static_cast<int>(path.count(u'/')) - 1;
    if (inner <= 1) {
        return path;
    }
    const QStringList fields = path.split(u'/');
    // An absolute path keeps its leading "/" in the head.
    QString head = fields.at(0).isEmpty() ? u'/' + fields.at(1) : fields.at(0);
    const QString tail = QStringLiteral("/.../") + fields.at(inner);
    qsizetype total = head.size() + tail.size();
    for (int k = 1; k < inner - 1; ++k) {
        if (fields.at(0).isEmpty() && k == 1) {
            continue; // already in the head
        }
        const QString part = u'/' + fields.at(k);
        total += part.size();
        if (total > maxLength) {
            break;
        }
        head += part;
    }
    return head + tail;
}

} // namespace namenswerk
