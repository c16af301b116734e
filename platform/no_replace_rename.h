#pragma once

#include <QString>

#include <functional>

namespace namenswerk::platform {

enum class RenameStatus {
    Ok,
    // Something exists at the target path (a dangling symbolic link too); nothing was moved.
    TargetExists,
    // The target path names the source itself under another spelling, as a
    // file system that ignores letter case sees "IMG.JPG" and "img.jpg";
    // nothing was moved.
    TargetIsSource,
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
// second hard link and loses the old one. Where it has no hard links either,
// the target name is claimed with an empty file made by an exclusive create,
// and the file is moved onto that claim, which is the only thing a move is
// ever allowed to replace; a failed move takes the claim away again. Folders
// cannot be moved either way and fail untouched.
RenameResult renameNoReplace(const QString &from, const QString &to);

// The system calls the move is made of. Each answers 0 or an errno value.
struct RenameSteps {
    int (*rename)(const char *from, const char *to); // refuses to replace
    int (*link)(const char *from, const char *to);
    int (*unlink)(const char *path);
    // Makes an empty file, refusing when anything is at the path.
    int (*claim)(const char *path);
    // Moves, replacing what is at the target: used on claims alone.
    int (*replace)(const char *from, const char *to);
    // Whether both paths lead to one file (one device, one inode); answers
    // true or false.
    bool (*sameFile)(const char *first, const char *second);
};

RenameSteps systemRenameSteps();

// Whether the answer of the first step comes from a file system (or an old
// kernel) that knows no replace-refusing rename, as opposed to one that
// refused this move: then every move takes one of the slower ways.
bool lacksNoReplace(int error);

// Called right before the move claims the target name, so that the claim
// can be noted where it outlives a process killed between claim and move.
using ClaimNotice = std::function<void()>;

// The same move with its system calls handed in, so that file systems which
// cannot refuse to replace, have no hard links or ignore letter case can be
// played in tests.
RenameResult renameNoReplace(const QString &from, const QString &to, const RenameSteps &steps,
                             const ClaimNotice &beforeClaim = {});

// Removes the file at the path if it is still what a claim leaves behind: a
// regular file without content, and not the file that was to be renamed onto
// the claim (another spelling of its name, or another link to it). True
// when it was removed.
bool removeEmptyClaim(const QString &path, const QString &renamedFile);

} // namespace namenswerk::platform
