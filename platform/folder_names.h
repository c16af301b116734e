#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace namenswerk::platform {

// What a folder's own listing says about a name in it.
enum class NameKind : unsigned char {
    File,
    Folder,
    // A symbolic link, or a file system that does not tell: only a look at
    // the path itself answers.
    Unknown,
};

// The names of one folder as one pass over it found them: one block of
// text and a hash table of positions in it, a few bytes per name.
class FolderNames {
public:
    void add(std::string_view name, NameKind kind);
    // None when the folder holds nothing of that name.
    std::optional<NameKind> find(std::string_view name) const;

private:
    struct Name {
        std::uint32_t start;
        std::uint32_t length;
        NameKind kind;
    };

    // A slot keeps part of its name's hash, so that a search passes over
    // other names without a look at their text.
    struct Slot {
        std::uint32_t name = 0; // index + 1 into names_; 0 for a free slot
        std::uint32_t hash = 0;
    };

    std::string_view textOf(const Name &name) const;
    std::size_t slotOf(std::string_view name, std::size_t hash) const;
    void grow();

    std::string text_;
    std::vector<Name> names_;
    std::vector<Slot> slots_;
};

// Reads the folder (encoded path, as the system takes it) in one pass; none
// when it cannot be listed.
std::optional<FolderNames> readFolderNames(const QByteArray &folder);

} // namespace namenswerk::platform
