#include "tests/docs/markdown_tables.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace namenswerk::test {

namespace {

bool isTableLine(const QString &line)
{
    return line.trimmed().startsWith(u'|');
}

bool isDelimiterRow(const QString &line)
{
    static const QRegularExpression delimiter(u"^\\s*\\|(\\s*:?-+:?\\s*\\|)+\\s*$"_s);
    return delimiter.match(line).hasMatch();
}

// Cells between the outer pipes; a backslash before a pipe keeps it in the cell.
QStringList cellsOf(const QString &line)
{
    QStringList cells;
    QString cell;
    const QString text = line.trimmed();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'|') {
            cell += u'|';
            ++i;
        } else if (text[i] == u'|') {
            cells.append(cell.trimmed());
            cell.clear();
        } else {
            cell += text[i];
        }
    }
    return cells;
}

} // namespace

std::vector<Table> markdownTables(const QString &document)
{
    const QStringList lines = document.split(u'\n');
    std::vector<Table> tables;
    QString heading;
    bool inFence = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.startsWith(u"```"_s)) {
            inFence = !inFence;
        }
        if (inFence) {
            continue;
        }
        if (line.startsWith(u'#')) {
            heading = line;
        }
        if (!isTableLine(line) || i + 1 >= lines.size() || !isDelimiterRow(lines[i + 1])) {
            continue;
        }
        Table table{cellsOf(line), {}};
        for (i += 2; i < lines.size() && isTableLine(lines[i]); ++i) {
            table.rows.push_back({heading, static_cast<int>(i + 1), cellsOf(lines[i])});
        }
        tables.push_back(std::move(table));
        --i; // the line after the table may be a heading
    }
    return tables;
}

QStringList cellValues(const QString &cell)
{
    QStringList values;
    for (QString value : cell.split(u"<br>"_s)) {
        value = value.trimmed();
        if (value.size() >= 2 && value.startsWith(u'`') && value.endsWith(u'`')) {
            value = value.mid(1, value.size() - 2);
        } else if (value == u"(empty)") {
            value.clear();
        }
        values.append(value);
    }
    return values;
}

} // namespace namenswerk::test
