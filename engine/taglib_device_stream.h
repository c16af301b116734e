#pragma once

#include <QByteArray>

#include <cstdint>
#include <taglib/tiostream.h>

class QIODevice;

namespace namenswerk {

// The bytes of a QIODevice as the tag library reads files, read-only and
// with a budget: once budget bytes have been handed out, every further read
// finds the end of the file. Each read takes no more than the device still
// holds, so a length forged in a file never sizes a buffer.
class TagLibDeviceStream : public TagLib::IOStream {
public:
    TagLibDeviceStream(QIODevice &device, QByteArray fileName, std::int64_t budget);

    TagLib::FileName name() const override { return fileName_.constData(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector & /*data*/) override {}
    void insert(const TagLib::ByteVector & /*data*/, unsigned long /*start*/,
                unsigned long /*replace*/) override
    {
    }
    void removeBlock(unsigned long /*start*/, unsigned long /*length*/) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override;
    void seek(long offset, Position p) override;
    long tell() const override { return static_cast<long>(position_); }
    long length() override { return static_cast<long>(size_); }
    void truncate(long /*length*/) override {}

    std::int64_t bytesRead() const { return bytesRead_; }

private:
    QIODevice &device_;
    QByteArray fileName_;
    std::int64_t budget_;
    std::int64_t size_;
    std::int64_t position_ = 0;
    std::int64_t bytesRead_ = 0;
};

} // namespace namenswerk
