#pragma once

#include "engine/rename_settings.h"
#include "tests/docs/markdown_tables.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace namenswerk::test {

// One example of the user guide: a few files, the rules the user types and
// what the program shows for them. The guide writes each as a table row whose
// header names the columns, "Old name" first among them.
struct GuideExample {
    QString where; // heading and line, for failure messages
    QStringList oldNames;
    RenameSettings settings;
    bool upper = false;
    int counterStart = 1;
    std::vector<int> ignored; // positions in oldNames
    std::vector<int> missing; // likewise: files that do not exist
    // One value for all files or one per file.
    std::vector<std::int64_t> fileTimes;       // local time counted as if it were UTC
    std::vector<std::pair<int, int>> pictures; // width, height
    // Exif DateTimeOriginal of a real photo written for the example ("2015:08:14
    // 09:21:33"), or empty for a file without one.
    std::vector<QByteArray> captureDates;
    // Audio tags, one set per file: the files are then written with them.
    std::vector<std::vector<std::pair<QString, QString>>> tags;

    std::optional<QStringList> newNames;
    std::optional<QStringList> statuses;
    std::optional<QStringList> traces;
    std::optional<QString> statusLine;
};

// What the engine made of an example.
struct ExampleOutcome {
    QStringList newNames;
    QStringList statuses;
    QStringList traces;
    QString statusLine;
};

// The folder every example's files lie in.
inline const QString ExampleFolder = QStringLiteral("/home/anna/Fotos/");

bool isExampleTable(const QStringList &header);

// Reads a row of an example table; a column or value it does not know is an
// error, so that no part of an example goes untested.
std::optional<GuideExample> guideExample(const QStringList &header, const TableRow &row,
                                         QString &error);

ExampleOutcome runExample(const GuideExample &example);

} // namespace namenswerk::test
