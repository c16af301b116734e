#include "app/batch/plan_output.h"

#include "engine/value_separators.h"
#include "model/file_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

// Characters a terminal or a line-based reader would act on rather than show:
// the other C0 and C1 controls, DEL, and Unicode's own line and paragraph
// separators. They are printed as \xHH or \uHHHH.
bool needsCodeEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

QString codeEscape(char16_t c)
{
    return c <= 0xFF ? u"\\x"_s + QString::number(c, 16).rightJustified(2, u'0')
                     : u"\\u"_s + QString::number(c, 16).rightJustified(4, u'0');
}

bool needsEscape(char16_t c)
{
    return c == u'\\' || needsCodeEscape(c);
}

} // namespace

QString escapedField(const QString &text)
{
    // Almost every name needs no escape; it is then shared, not copied.
    if (std::none_of(text.cbegin(), text.cend(),
                     [](QChar c) { return needsEscape(c.unicode()); })) {
        return text;
    }
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            escaped += u"\\\\"_s;
            break;
        case u'\t':
            escaped += u"\\t"_s;
            break;
        case u'\n':
            escaped += u"\\n"_s;
            break;
        case u'\r':
            escaped += u"\\r"_s;
            break;
        default:
            if (needsCodeEscape(c.unicode())) {
                escaped += codeEscape(c.unicode());
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

QString planAsTabSeparated(const FileList &list)
{
    QString text = u"entry\tpath\tnew\tstatus\ttext\n"_s;
    for (int index = 0; index < list.count(); ++index) {
        const FileEntry &entry = list.at(index);
        text += QString::number(index + 1) % u'\t' % escapedField(list.fullPath(entry)) % u'\t' %
                escapedField(withValueSeparatorsShown(entry.newName)) % u'\t' %
                QString::number(static_cast<int>(entry.status)) % u'\t' % statusText(entry.status) %
                u'\n';
    }
    return text;
}

QString planAsJson(const FileList &list)
{
    QJsonArray rows;
    for (int index = 0; index < list.count(); ++index) {
        const FileEntry &entry = list.at(index);
        rows.append(QJsonObject{
            {u"entry"_s, index + 1},
            {u"path"_s, list.fullPath(entry)},
            {u"new"_s, withValueSeparatorsShown(entry.newName)},
            {u"status"_s, static_cast<int>(entry.status)},
            {u"text"_s, statusText(entry.status)},
        });
    }
    return QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented));
}

} // namespace namenswerk::batch
