#pragma once

namespace namenswerk {

class FileList;
struct FileEntry;

// Makes an entry's new name the name it is known by, as after a rename to
// it: a new name with a folder part ("Fotos/x.jpg") moves the entry into
// that folder below its own one, the way the rename run builds the target.
// An entry without a usable new name (the "-" placeholder, an empty name or
// one that names only a folder) keeps its name; returns whether it changed.
bool takeOverNewName(const FileList &list, FileEntry &entry);

} // namespace namenswerk
