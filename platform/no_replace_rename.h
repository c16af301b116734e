#pragma once

#include <QString>

namespace namenswerk::platform {

enum class RenameStatus {
    Ok,
    // Something exists at the target path (a dangling symbolic link too); nothing was moved.
    TargetExists,
    // Nothing exists at the source path.
    SourceMissing,
    // Any other refusal; `error` tells why.
    Failed,
};

struct RenameResult {
    RenameStatus status = RenameStatus::Failed;
    // The errno value behind a refusal; 0 on success.
    int error = 0;

    bool ok() const { return status == RenameStatus::Ok; }
};

// Moves `from` to `to` in one step that never replaces anything at `to`.
// Where the file system cannot promise that, the file gets its new name as a
// second hard link and loses the old one; folders cannot be moved that way
// and fail untouched.
RenameResult renameNoReplace(const QString &from, const QString &to);

// The system calls the move is made of. Each answers 0 or an errno value.
struct RenameSteps {
    int (*rename)(const char *from, const char *to);
    int (*link)(const char *from, const char *to);
    int (*unlink)(const char *path);
};

RenameSteps systemRenameSteps();

// The same move with its system calls handed in, so that a file system
// which cannot refuse to replace can be played in tests.
RenameResult renameNoReplace(const QString &from, const QString &to, const RenameSteps &steps);

} // namespace namenswerk::platform
