#include "app/batch/option_answers.h"

#include "rename/run_questions.h"
#include "rename/run_reports.h"

namespace namenswerk::batch {

namespace {

// The questions are told apart by the titles the run's own builders give
// them, so that a reworded text cannot make the batch command guess wrong.
bool isSubfolderQuestion(const Request &request)
{
    return request.title == subfolderQuestion({}).title;
}

bool isExtensionWarning(const Request &request)
{
    const std::optional<Request> warning = extensionWarning({}, 1);
    return warning && request.title == warning->title &&
           request.firstCaption == warning->firstCaption;
}

bool isMissingJournalQuestion(const Request &request)
{
    return request.title == missingJournalQuestion({}).title;
}

} // namespace

Answer OptionAnswers::ask(const Request &request)
{
    if (isSubfolderQuestion(request)) {
        // Ticked, so that the question is not asked again for every entry.
        return {createFolders_ ? AnswerYes : AnswerNo, true};
    }
    if (isExtensionWarning(request) && allowExtensionLoss_) {
        return {AnswerRename};
    }
    if (isMissingJournalQuestion(request) && noJournal_) {
        return {AnswerRename};
    }
    // Whatever else a run might ask is safest declined.
    return {AnswerCancel};
}

} // namespace namenswerk::batch
