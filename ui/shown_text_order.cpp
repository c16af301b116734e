#include "ui/shown_text_order.h"

#include "ui/list_cell_text.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// A cell's text is read back with room for this many characters; longer
// names compare by their beginning only.
constexpr qsizetype ShownTextRoom = 254;

int sign(double value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Position of the unit letter in "KMGT"; -1 for a text without one (a missing
// file or a folder), which ranks below every size.
int unitRank(const QString &text)
{
    return text.isEmpty() ? -1 : int(u"KMGT"_s.indexOf(text.back()));
}

// The number a size text begins with, "." as decimal point; 0 when there is none.
double leadingNumber(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+')) {
        ++end;
    }
    while (end < trimmed.size() && (trimmed[end].isDigit() || trimmed[end] == u'.')) {
        ++end;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed.left(end), &ok);
    return ok ? value : 0.0;
}

int compareSizeTexts(const QString &a, const QString &b)
{
    const int rankA = unitRank(a);
    const int rankB = unitRank(b);
    if (rankA != rankB) {
        return rankA < rankB ? -1 : 1;
    }
    // Values closer than 0.05 (the texts show one decimal) are the same size.
    return sign(double(std::lround((leadingNumber(a) - leadingNumber(b)) * 10.0)));
}

// A date text read back with the list's mask "%dd.%mm.%yyyy %hh:%ii", most
// significant field first; fields that cannot be read count as 0, so the
// missing-date mark reads as the earliest date.
std::array<int, 5> readListDate(const QString &text)
{
    struct Field {
        qsizetype offset;
        qsizetype length;
    };
    static constexpr std::array<Field, 5> fields{{{6, 4}, {3, 2}, {0, 2}, {11, 2}, {14, 2}}};
    std::array<int, 5> date{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        bool ok = false;
        const int value = QStringView(text).mid(fields[i].offset, fields[i].length).toInt(&ok);
        date[i] = ok ? value : 0;
    }
    return date;
}

} // namespace

int compareShownTexts(ListColumn column, const QString &a, const QString &b,
                      SortDirection direction)
{
    if (a == b) {
        return 0;
    }
    int result = 0;
    switch (column) {
    case ListColumn::Size:
        result = compareSizeTexts(a, b);
        break;
    case ListColumn::Date: {
        const auto dateA = readListDate(a);
        const auto dateB = readListDate(b);
        if (dateA == dateB) {
            return 1;
        }
        result = dateA < dateB ? -1 : 1;
        break;
    }
    default:
        result = sign(QString::compare(a, b, Qt::CaseInsensitive));
        break;
    }
    return direction == SortDirection::Descending ? -result : result;
}

void sortShownRows(FileList &list, ListColumn column, SortDirection direction)
{
    std::vector<int> &order = list.viewOrder();
    std::vector<std::pair<QString, int>> rows;
    rows.reserve(order.size());
    for (const int entry : order) {
        const bool known = entry >= 0 && entry < list.count();
        rows.emplace_back(
            known ? listCellText(list.at(entry), column).left(ShownTextRoom) : QString(), entry);
    }
    // Date texts that read alike compare as "greater" both ways, so no row is
    // ever less than the other: the pair simply keeps its order.
    std::stable_sort(rows.begin(), rows.end(), [&](const auto &x, const auto &y) {
        return compareShownTexts(column, x.first, y.first, direction) < 0;
    });
    std::transform(rows.begin(), rows.end(), order.begin(),
                   [](const auto &row) { return row.second; });
}

} // namespace namenswerk
