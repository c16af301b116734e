#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace namenswerk::test {

// One body row of a Markdown table, with where it stands in the document.
struct TableRow {
    QString heading;   // the last heading above the table
    int lineNumber;    // 1-based line of the row in the document
    QStringList cells; // in column order, trimmed, "\|" already read as "|"
};

struct Table {
    QStringList header;
    std::vector<TableRow> rows;
};

// Every pipe table of a Markdown document (header row, delimiter row, body).
std::vector<Table> markdownTables(const QString &document);

// The values of one cell: "<br>" separates several; each is trimmed, a value
// in backticks is taken literally from inside them and "(empty)" stands for
// the empty text.
QStringList cellValues(const QString &cell);

} // namespace namenswerk::test
