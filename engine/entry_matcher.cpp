#include "engine/entry_matcher.h"

namespace namenswerk {

EntryMatcher EntryMatcher::compile(const PatternRecord &name, const PatternRecord &extension,
                                   bool regCase)
{
    EntryMatcher matcher;
    if (name.error != 0 || extension.error != 0) {
        return matcher;
    }
    auto nameExpression = CompiledPattern::compile(name.translated, regCase);
    auto extensionExpression = CompiledPattern::compile(extension.translated, regCase);
    if (nameExpression && extensionExpression) {
        matcher.expressions_[0] = std::move(nameExpression);
        matcher.expressions_[1] = std::move(extensionExpression);
    }
    return matcher;
}

bool EntryMatcher::matchEntry(QStringView name, QStringView extension)
{
    if (!ok()) {
        return false;
    }
    if (matchPart(0, name) && matchPart(1, extension)) {
        return true;
    }
    // Groups of a filtered entry must not leak into the next one.
    for (auto &expression : expressions_) {
        expression->forgetMatch();
    }
    return false;
}

bool EntryMatcher::matchPart(int index, QStringView part)
{
    subject_.resize(0); // keeps the capacity
    subject_.append(part);
    subject_.append(PatternEndMark);
    return expressions_[static_cast<std::size_t>(index)]->match(subject_);
}

const CompiledPattern *EntryMatcher::expression(int index) const
{
    if (index < 0 || index > 1 || !ok()) {
        return nullptr;
    }
    return &*expressions_[static_cast<std::size_t>(index)];
}

QString EntryMatcher::group(int index, int n) const
{
    return groupView(index, n).toString();
}

QStringView EntryMatcher::groupView(int index, int n) const
{
    const auto *found = expression(index);
    return found && n >= 1 ? found->groupView(n) : QStringView();
}

int EntryMatcher::groupCount(int index) const
{
    const auto *found = expression(index);
    return found ? found->captureCount() : 0;
}

} // namespace namenswerk
