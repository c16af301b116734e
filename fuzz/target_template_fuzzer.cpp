// Target templates: parsing the template as it is typed and computing the new
// names of a list of three files with it, through the whole pipeline
// (replacement lists, expressions, template, case modes, status pass).
//
// Input: four option bytes (flags, case modes, counter start in two bytes),
// then the lines template, name pattern, extension pattern, initial and final
// replacement list, and up to three list lines for the files.

#include "engine/name_checks.h"
#include "engine/name_engine.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

#include <QStringList>

#include <limits>

using namespace namenswerk;
using namespace Qt::StringLiterals;

namespace {

constexpr int Files = 3;

// Facts chosen by the file's place, not its name: an ordinary picture, one
// with the extreme date and size a file system could report, and a file that
// has gone.
FactsReader fixedFacts()
{
    return [next = 0](const QString &) mutable {
        static const FileFacts facts[Files] = {
            {1'500'000'000, 1, 1920, 1080},
            {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int32_t>::max(),
             std::numeric_limits<int>::max(), std::numeric_limits<int>::max()},
            {},
        };
        return facts[next++ % Files];
    };
}

RenameSettings settingsFrom(fuzz::FuzzInput &input)
{
    const std::uint8_t flags = input.byte();
    const std::uint8_t caseModes = input.byte();
    RenameSettings settings;
    settings.regCase = (flags & 1) != 0;
    settings.txtFirst = (flags & 2) != 0;
    settings.txtName = (flags & 4) != 0;
    settings.txtCase = (flags & 8) != 0;
    settings.txtAll = (flags & 16) != 0;
    settings.fileDate = (flags & 32) != 0;
    settings.filenameCase = caseModes % 8 - 1; // one mode on either side of 0..5 as well
    settings.fileextCase = caseModes / 8 % 8 - 1;
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    RenameSettings settings = settingsFrom(input);
    const bool upper = (data[0] & 64) != 0;
    const bool ignoreSecond = (data[0] & 128) != 0;
    // The counter start dialog allows 0 to 9999.
    const int counterStart = (input.byte() * 256 + input.byte()) % 10000;
    settings.regReplace = input.field();
    settings.regFindname = input.field();
    settings.regFindext = input.field();
    settings.txtFind = input.field();
    settings.txtReplace = input.field();

    FileList list(fixedFacts());
    list.currentFolder = u"/fotos/"_s;
    const QStringList defaults = {u"IMG_0001.JPG"_s, u"Urlaub (2).tar.gz"_s, u".profile"_s};
    for (int file = 0; file < Files; ++file) {
        list.addPathLine(input.atEnd() ? defaults[file] : input.field(), file > 0);
    }
    if (ignoreSecond) {
        list.toggleIgnored(1);
    }

    NameEngine engine;
    engine.counterStart = counterStart;
    engine.upper = upper;
    engine.setInputs(settings);
    engine.templateIndicator();
    engine.namePatternIndicator();
    engine.extensionPatternIndicator();
    list.requestRefresh(RefreshLevel::Names);
    engine.refresh(list, settings);
    engine.extensionFlags();
    FUZZ_CHECK(!engine.summary().isEmpty());

    for (const FileEntry &entry : list.entries()) {
        FUZZ_CHECK(entry.status >= EntryStatus::None && entry.status <= EntryStatus::Unused);
        // Only a name that can stand on disk may be offered for renaming.
        FUZZ_CHECK(entry.status != EntryStatus::Ok || isValidFileName(entry.newName));
    }
    FUZZ_CHECK(list.readyCount >= 0 && list.readyCount <= Files);
    FUZZ_CHECK(list.viewCount() <= Files);

    // A second pass over the statuses alone must come to the same result.
    std::vector<EntryStatus> statuses;
    for (const FileEntry &entry : list.entries()) {
        statuses.push_back(entry.status);
    }
    list.requestRefresh(RefreshLevel::Statuses);
    engine.refresh(list, settings);
    for (int file = 0; file < Files; ++file) {
        FUZZ_CHECK(list.at(file).status == statuses[std::size_t(file)]);
    }
    return 0;
}
