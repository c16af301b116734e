#include "app/batch/plan_output.h"

#include "engine/value_separators.h"
#include "model/file_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

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

// Appends a field of the plan in UTF-8. Plain ASCII, which almost every
// name is, goes over byte by byte.
void appendField(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *to = out.data() + start;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= 0x80 || needsEscape(code)) {
            out.truncate(start);
            out += escapedField(text).toUtf8();
            return;
        }
        *to++ = static_cast<char>(code);
    }
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

QByteArray planAsTabSeparated(const FileList &list)
{
    QByteArray text = "entry\tpath\tnew\tstatus\ttext\n";
    text.reserve(qsizetype{list.count()} * 80);
    std::array<QByteArray, EntryStatusCount> statusFields;
    for (int status = 0; status < EntryStatusCount; ++status) {
        const auto kind = static_cast<EntryStatus>(status);
        statusFields[std::size_t(status)] =
            QByteArray::number(status) + '\t' + statusText(kind).toUtf8() + '\n';
    }
    for (int index = 0; index < list.count(); ++index) {
        const FileEntry &entry = list.at(index);
        text += QByteArray::number(index + 1);
        text += '\t';
        appendField(text, entry.folder.isEmpty() ? list.currentFolder : entry.folder);
        appendField(text, entry.oldName);
        text += '\t';
        appendField(text, withValueSeparatorsShown(entry.newName));
        text += '\t';
        text += statusFields[std::size_t(entry.status)];
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
