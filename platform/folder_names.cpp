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

// The part of the name's hash that the slot keeps.
std::uint32_t tagOf(std::string_view name)
{
    const std::size_t hash = std::hash<std::string_view>{}(name);
    return static_cast<std::uint32_t>(hash >> (std::numeric_limits<std::size_t>::digits / 2));
}

} // namespace

std::string_view FolderNames::textOf(const Slot &slot) const
{
    return std::string_view(text_).substr(slot.start, slot.length);
}

// The slot that holds the name, or the free one where it would go.
std::size_t FolderNames::slotOf(std::string_view name, std::uint32_t tag) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = tag & mask;; at = (at + 1) & mask) {
        const Slot &slot = slots_[at];
        if (!slot.taken || (slot.tag == tag && textOf(slot) == name)) {
            return at;
        }
    }
}

// Where a name that the table does not hold yet goes.
std::size_t FolderNames::freeSlotOf(std::uint32_t tag) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = tag & mask;
    while (slots_[at].taken) {
        at = (at + 1) & mask;
    }
    return at;
}

// At most half the slots are taken, so that a search ends soon.
void FolderNames::grow()
{
    std::vector<Slot> old(std::max<std::size_t>(64, slots_.size() * 2));
    std::swap(old, slots_);
    for (const Slot &slot : old) {
        if (slot.taken) {
            slots_[freeSlotOf(slot.tag)] = slot;
        }
    }
}

void FolderNames::add(std::string_view name, NameKind kind)
{
    if ((count_ + 1) * 2 > slots_.size()) {
        grow();
    }
    const std::uint32_t tag = tagOf(name);
    Slot &slot = slots_[slotOf(name, tag)];
    if (!slot.taken) {
        slot = {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(name.size()),
                tag, kind, true};
        text_.append(name);
        ++count_;
    }
}

std::optional<NameKind> FolderNames::find(std::string_view name) const
{
    if (slots_.empty()) {
        return std::nullopt;
    }
    const Slot &slot = slots_[slotOf(name, tagOf(name))];
    if (!slot.taken) {
        return std::nullopt;
    }
    return slot.kind;
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
