// Renames "file_NNNN.dat" to "renamed_file_NNNN.dat" for the given count of
// files in a folder, with the journal in a settings folder, and is meant to
// be killed before it is done. With "rotate", each file takes the name of the
// next one instead and the last the first's, with chains resolved.
//
// Usage: interrupted_run_child FILES_FOLDER SETTINGS_FOLDER COUNT [rotate]

#include "engine/name_engine.h"
#include "model/file_list.h"
#include "rename/rename_run.h"

#include <QString>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// No question is expected; any would end the run.
class CancellingRequester final : public namenswerk::Requester {
public:
    namenswerk::Answer ask(const namenswerk::Request &) override
    {
        return {namenswerk::AnswerCancel, false, 0};
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s FILES_FOLDER SETTINGS_FOLDER COUNT [rotate]\n", argv[0]);
        return 2;
    }
    namenswerk::FileList list;
    list.currentFolder = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();
    for (int i = 0; i < count; ++i) {
        list.addPathLine(u"file_%1.dat"_s.arg(i, 4, 10, QChar(u'0')), true);
    }
    namenswerk::RenameSettings settings;
    settings.regReplace = u"renamed_<n>.<e>"_s;
    namenswerk::NameEngine engine;
    engine.setInputs(settings);
    list.requestRefresh(namenswerk::RefreshLevel::Names);
    engine.refresh(list, settings);
    if (argc == 5) {
        settings.resolveChains = true;
        for (int i = 0; i < count; ++i) {
            list.at(i).newName = u"file_%1.dat"_s.arg((i + 1) % count, 4, 10, QChar(u'0'));
        }
    }

    CancellingRequester requester;
    const namenswerk::RunResult result =
        namenswerk::renameRun({list, engine, settings, requester, QString::fromLocal8Bit(argv[2])});
    return result.renamed == count ? 0 : 1;
}
