#include "platform/folder_names.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <functional>
#include <limits>

namespace namenswerk::platform {

namespace {

NameKind kindOf(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return NameKind::File;
    case DT_DIR:
        return NameKind::Folder;
    default:
        return NameKind::Unknown;
    }
}

// The part of a hash the slot keeps: the bits its position does not use.
std::uint32_t tagOf(std::size_t hash)
{
    return static_cast<std::uint32_t>(hash >> (std::numeric_limits<std::size_t>::digits / 2));
}

} // namespace

std::string_view FolderNames::textOf(const Name &name) const
{
    return std::string_view(text_).substr(name.start, name.length);
}

// The slot that holds the name, or the free one where it would go.
std::size_t FolderNames::slotOf(std::string_view name, std::size_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const auto tag = tagOf(hash);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot &held = slots_[slot];
        if (held.name == 0 || (held.hash == tag && textOf(names_[held.name - 1]) == name)) {
            return slot;
        }
    }
}

// At most half the slots are taken, so that a search ends soon.
void FolderNames::grow()
{
    slots_.assign(std::max<std::size_t>(64, slots_.size() * 2), Slot{});
    for (std::size_t index = 0; index < names_.size(); ++index) {
        const std::string_view name = textOf(names_[index]);
        const std::size_t hash = std::hash<std::string_view>{}(name);
        slots_[slotOf(name, hash)] = {static_cast<std::uint32_t>(index + 1), tagOf(hash)};
    }
}

void FolderNames::add(std::string_view name, NameKind kind)
{
    if ((names_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    names_.push_back(
        {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(name.size()), kind});
    text_.append(name);
    const std::size_t hash = std::hash<std::string_view>{}(name);
    Slot &slot = slots_[slotOf(name, hash)];
    if (slot.name == 0) {
        slot = {static_cast<std::uint32_t>(names_.size()), tagOf(hash)};
    }
}

std::optional<NameKind> FolderNames::find(std::string_view name) const
{
    if (slots_.empty()) {
        return std::nullopt;
    }
    const Slot &slot = slots_[slotOf(name, std::hash<std::string_view>{}(name))];
    if (slot.name == 0) {
        return std::nullopt;
    }
    return names_[slot.name - 1].kind;
}

std::optional<FolderNames> readFolderNames(const QByteArray &folder)
{
    DIR *listing = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (listing == nullptr) {
        return std::nullopt;
    }
    FolderNames names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(listing);
        if (entry == nullptr) {
            break;
        }
        names.add(entry->d_name, kindOf(entry->d_type));
    }
    // A listing cut short would call the rest of the folder's files missing.
    const bool whole = errno == 0;
    ::closedir(listing);
    if (!whole) {
        return std::nullopt;
    }
    return names;
}

} // namespace namenswerk::platform
