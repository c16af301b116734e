#pragma once

#include <QString>
#include <QStringView>

namespace namenswerk {

// Names made in bulk (a list being filled, the new names of a recomputation)
// share blocks of a few kilobytes. A QString of its own costs a heap block
// whose header and allocator rounding weigh more than a short name; a list
// of millions holds two names per entry. Each packed name is an ordinary
// QString holding a reference to its block: it is shared, so changing it
// copies it out first, and a block lives as long as one of its names does.
class NamePacker {
public:
    NamePacker() = default;
    // A copy starts blocks of its own: two packers never write into one.
    NamePacker(const NamePacker & /*other*/) {}
    NamePacker &operator=(const NamePacker &other);
    NamePacker(NamePacker &&other) noexcept = default;
    NamePacker &operator=(NamePacker &&other) noexcept = default;
    ~NamePacker() = default;

    // The text as a QString in the current block; an empty text, or one too
    // long to share a block with others, gets a QString of its own.
    QString pack(QStringView text);
    // Lets go of the current block; the names in it keep it alive.
    void release() { block_ = {}; }

private:
    // The current block; its size counts the characters handed out.
    QString::DataPointer block_;
};

} // namespace namenswerk
