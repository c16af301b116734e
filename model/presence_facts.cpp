#include "model/presence_facts.h"

#include "model/file_entry.h"
#include "platform/folder_names.h"

#include <QFile>

#include <map>
#include <memory>

namespace namenswerk {

namespace {

class PresenceFacts {
public:
    FileFacts operator()(const QString &fullPath)
    {
        const QByteArray path = QFile::encodeName(fullPath);
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
    // Entries of one folder mostly follow each other.
    const std::optional<platform::FolderNames> &namesIn(QByteArrayView folder)
    {
        if (last_ == folders_.end() || last_->first != folder) {
            const QByteArray key = folder.toByteArray();
            last_ = folders_.find(key);
            if (last_ == folders_.end()) {
                last_ = folders_.emplace(key, platform::readFolderNames(key)).first;
            }
        }
        return last_->second;
    }

    using Listings = std::map<QByteArray, std::optional<platform::FolderNames>>;
    Listings folders_;
    Listings::iterator last_ = folders_.end();
};

} // namespace

FactsReader presenceFactsReader()
{
    // A FactsReader is copied around; the listings it made are shared.
    auto facts = std::make_shared<PresenceFacts>();
    return [facts](const QString &fullPath) { return (*facts)(fullPath); };
}

} // namespace namenswerk
