#include "model/presence_facts.h"

#include "model/file_entry.h"
#include "platform/folder_names.h"

#include <QFile>

#include <future>
#include <map>
#include <memory>
#include <system_error>

namespace namenswerk {

namespace {

class PresenceFacts {
public:
    explicit PresenceFacts(const QString &listAheadPath)
    {
        if (listAheadPath.isEmpty()) {
            return;
        }
        const QByteArray &path = encoded(listAheadPath);
        aheadFolder_ = QByteArrayView(path).first(path.lastIndexOf('/') + 1).toByteArray();
        try {
            ahead_ = std::async(std::launch::async, platform::readFolderNames, aheadFolder_);
        } catch (const std::system_error &) {
            // No thread to spare: the folder is listed when first asked about.
        }
    }

    FileFacts operator()(const QString &fullPath)
    {
        const QByteArray &path = encoded(fullPath);
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArrayView name = QByteArrayView(path).sliced(slash + 1);
        if (name.isEmpty() || name == "." || name == "..") {
            return basicFileFacts(fullPath);
        }
        const std::optional<platform::FolderNames> &folder =
            namesIn(QByteArrayView(path).first(slash + 1));
        if (!folder) {
            return basicFileFacts(fullPath);
        }
        const auto kind = folder->find(std::string_view(name.data(), std::size_t(name.size())));
        if (!kind) {
            return {};
        }
        switch (*kind) {
        case platform::NameKind::File:
            return {0, 0, 0, 0};
        case platform::NameKind::Folder:
            return {0, FileEntry::FolderSize, 0, 0};
        case platform::NameKind::Unknown:
            break;
        }
        return basicFileFacts(fullPath);
    }

private:
    // The path as the system takes it, in a buffer kept from call to call:
    // plain ASCII, which almost every path is, is copied byte by byte.
    const QByteArray &encoded(const QString &fullPath)
    {
        path_.resize(fullPath.size());
        char *to = path_.data();
        for (const QChar c : fullPath) {
            if (c.unicode() >= 0x80) {
                path_ = QFile::encodeName(fullPath);
                return path_;
            }
            *to++ = static_cast<char>(c.unicode());
        }
        return path_;
    }

    // Entries of one folder mostly follow each other.
    const std::optional<platform::FolderNames> &namesIn(QByteArrayView folder)
    {
        if (last_ == folders_.end() || last_->first != folder) {
            const QByteArray key = folder.toByteArray();
            last_ = folders_.find(key);
            if (last_ == folders_.end()) {
                last_ = folders_.emplace(key, listing(key)).first;
            }
        }
        return last_->second;
    }

    std::optional<platform::FolderNames> listing(const QByteArray &folder)
    {
        if (ahead_.valid() && folder == aheadFolder_) {
            return ahead_.get();
        }
        return platform::readFolderNames(folder);
    }

    using Listings = std::map<QByteArray, std::optional<platform::FolderNames>>;
    Listings folders_;
    Listings::iterator last_ = folders_.end();
    QByteArray path_;
    QByteArray aheadFolder_;
    // Waits for the listing when it goes unused.
    std::future<std::optional<platform::FolderNames>> ahead_;
};

} // namespace

FactsReader presenceFactsReader(const QString &listAheadPath)
{
    // A FactsReader is copied around; the listings it made are shared.
    auto facts = std::make_shared<PresenceFacts>(listAheadPath);
    return [facts](const QString &fullPath) { return (*facts)(fullPath); };
}

} // namespace namenswerk
