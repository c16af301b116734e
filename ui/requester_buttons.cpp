#include "ui/requester_buttons.h"

#include "settings/requester.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

RequesterButton okButton()
{
    return {u"OK"_s, AnswerOk};
}

RequesterButton cancelButton()
{
    return {u"Abbrechen"_s, AnswerCancel};
}

RequesterButton yesButton()
{
    return {u"Ja"_s, AnswerYes};
}

RequesterButton noButton()
{
    return {u"Nein"_s, AnswerNo};
}

RequesterButtonRow plainRow(int buttonSet)
{
    switch (buttonSet) {
    case OkOnly:
        return {{okButton()}, 0};
    case OkCancel:
        return {{okButton(), cancelButton()}, 0};
    case YesNo:
        return {{yesButton(), noButton()}, 0};
    case YesCancel:
        return {{yesButton(), cancelButton()}, 0};
    case NoCancel:
        return {{noButton(), cancelButton()}, 0};
    case YesNoCancel:
        return {{yesButton(), noButton(), cancelButton()}, 0};
    case YesNoCancelDefaultNo:
        return {{yesButton(), noButton(), cancelButton()}, 1};
    case YesNoCancelDefaultCancel:
        return {{yesButton(), noButton(), cancelButton()}, 2};
    default:
        return {{RequesterButton{}}, 0};
    }
}

void replaceCaption(RequesterButtonRow &row, std::size_t index, const QString &caption)
{
    if (caption.isEmpty() || index >= row.buttons.size()) {
        return;
    }
    RequesterButton &button = row.buttons[index];
    button.caption = caption;
    button.code = captionCode(caption, button.code);
}

} // namespace

int captionCode(const QString &caption, int code)
{
    const qsizetype mark = caption.indexOf(u'&');
    // A trailing "&" marks no letter; the button keeps its own answer then.
    if (mark < 0 || mark + 1 >= caption.size()) {
        return code;
    }
    return caption.at(mark + 1).toUpper().unicode();
}

RequesterButtonRow requesterButtons(int buttonSet, const QString &firstCaption,
                                    const QString &secondCaption)
{
    RequesterButtonRow row = plainRow(buttonSet & ~(WithCheckBox | WithNumberBox));
    replaceCaption(row, 0, firstCaption);
    replaceCaption(row, 1, secondCaption);
    return row;
}

} // namespace namenswerk
