// Renames "file_NNNN.dat" to "renamed_file_NNNN.dat" for the given count of
// files in a folder, with the journal in a settings folder, and is meant to
// be killed before it is done. With "rotate", each file takes the name of the
// next one instead and the last the first's, with chains resolved.
//
// Two modes play a file system and kill the run themselves, at the N-th time
// it is between the two steps of one rename: "claims N" has neither a
// replace-refusing rename nor hard links (killed between claim and move);
// "case N" ignores letter case, and each file is to become "FILE_NNNN.DAT"
// (killed with the file under its temporary name).
//
// Usage: interrupted_run_child FILES_FOLDER SETTINGS_FOLDER COUNT
//        [rotate | claims N | case N]

#include "engine/name_engine.h"
#include "model/file_list.h"
#include "rename/rename_run.h"
#include "tests/support/played_file_systems.h"

#include <QString>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

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

int killAt = 0;
int betweenSteps = 0;

void killAtTheChosenTime()
{
    if (++betweenSteps == killAt) {
        ::kill(::getpid(), SIGKILL);
    }
}

// The move onto a claim: the claim is there, the file not yet.
int replaceOrDie(const char *from, const char *to)
{
    killAtTheChosenTime();
    return namenswerk::platform::systemRenameSteps().replace(from, to);
}

namenswerk::platform::RenameSteps caseBlindSteps;

// The second step of a case-only rename starts from the temporary name.
int renameOrDie(const char *from, const char *to)
{
    if (std::strstr(from, "/.namenswerk-")) {
        killAtTheChosenTime();
    }
    return caseBlindSteps.rename(from, to);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4 || argc > 6) {
        std::fprintf(stderr,
                     "usage: %s FILES_FOLDER SETTINGS_FOLDER COUNT [rotate | claims N | case N]\n",
                     argv[0]);
        return 2;
    }
    const QString mode = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    killAt = argc > 5 ? QString::fromLocal8Bit(argv[5]).toInt() : 0;
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
    namenswerk::platform::RenameSteps steps = namenswerk::platform::systemRenameSteps();
    if (mode == u"rotate"_s) {
        settings.resolveChains = true;
        for (int i = 0; i < count; ++i) {
            list.at(i).newName = u"file_%1.dat"_s.arg((i + 1) % count, 4, 10, QChar(u'0'));
        }
    } else if (mode == u"claims"_s) {
        steps = namenswerk::test::claimOnlySteps();
        steps.replace = replaceOrDie;
    } else if (mode == u"case"_s) {
        caseBlindSteps = namenswerk::test::caseBlindSteps();
        steps = caseBlindSteps;
        steps.rename = renameOrDie;
        for (int i = 0; i < count; ++i) {
            list.at(i).newName = list.at(i).oldName.toUpper();
        }
    }

    // Runs of the system's own steps go as the program's runs go: with
    // folders held open.
    const bool ownSteps = mode != u"claims"_s && mode != u"case"_s;
    CancellingRequester requester;
    const namenswerk::RunResult result =
        namenswerk::renameRun({list, engine, settings, requester, QString::fromLocal8Bit(argv[2]),
                               nullptr, ownSteps ? nullptr : &steps});
    return result.renamed == count ? 0 : 1;
}
