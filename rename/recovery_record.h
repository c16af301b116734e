#pragma once

#include "rename/record_line.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace namenswerk {

// The last run that renamed at least one file, as the group "Recovery" of the
// settings file keeps it for undo.
struct RecoveryRecord {
    std::int64_t magic = 0; // when it was written: local seconds since 1970
    QString folder;         // the folder relative names are in, ending in "/"
    // In the order of the renames. A stored line without ">" reads as a pair
    // of empty names, which stands for nothing on disk.
    std::vector<RenamedPair> pairs;
};

// The record's pairs as the settings file stores them, made while a run
// goes on, so that writing its record at the end costs little more than a
// copy.
class RecordLines {
public:
    void append(const RenamedPair &pair);
    int count() const { return count_; }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    int count_ = 0;
};

// Replaces the group in the settings file of the folder, creating the file
// when there is none yet; every other group stays. False when the file could
// not be written, or exists but could not be read (it is then left alone).
bool writeRecoveryRecord(const QString &settingsFolder, const RecoveryRecord &record);
bool writeRecoveryRecord(const QString &settingsFolder, std::int64_t magic, const QString &folder,
                         const RecordLines &lines);

// The record as stored; pairs stop before the first missing or empty line
// key. No pairs when the file, the group or the folder is missing.
RecoveryRecord readRecoveryRecord(const QString &settingsFolder);

} // namespace namenswerk
