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
    // A name's place in the text, held in its slot itself, with 32 bits of
    // its hash, which also give the slot's position: a search passes over
    // other names without a look at their text and finds its own with one,
    // and the table grows without reading a single name.
    struct Slot {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
        std::uint32_t tag = 0;
        NameKind kind = NameKind::Unknown;
        bool taken = false;
    };

    std::string_view textOf(const Slot &slot) const;
    std::size_t slotOf(std::string_view name, std::uint32_t tag) const;
    std::size_t freeSlotOf(std::uint32_t tag) const;
    void grow();

    std::string text_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// Reads the folder (encoded path, as the system takes it) in one pass; none
// when it cannot be listed.
std::optional<FolderNames> readFolderNames(const QByteArray &folder);

} // namespace namenswerk::platform
