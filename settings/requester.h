#pragma once

#include <QString>

namespace namenswerk {

// Icon codes of a question or message.
enum class RequestIcon : int {
    None = 0,
    Information = 103,
    Warning = 105,
    Error = 106,
    Question = 108
};

// Button sets; the flags may be added to any set.
enum RequestButtons : int {
    OkOnly = 93,                    // "OK"
    OkCancel = 94,                  // "OK", "Abbrechen"
    YesNo = 95,                     // "Ja", "Nein"
    YesCancel = 96,                 // "Ja", "Abbrechen"
    NoCancel = 97,                  // "Nein", "Abbrechen"
    YesNoCancel = 98,               // "Ja", "Nein", "Abbrechen"; Enter chooses "Ja"
    YesNoCancelDefaultNo = 99,      // the same; Enter chooses "Nein"
    YesNoCancelDefaultCancel = 100, // the same; Enter chooses "Abbrechen"
    WithCheckBox = 1024,            // " ohne weitere Fragen automatisch durchführen"
    WithNumberBox = 2048,           // a whole number from 0 to 9999
};

// Answer codes are the character codes of capital letters; a replaced caption
// with "&" answers with the letter after it.
enum AnswerCode : int { AnswerOk = 'O', AnswerCancel = 'A', AnswerYes = 'J', AnswerNo = 'N' };

struct Request {
    QString title;
    QString heading; // "\r" breaks lines
    QString text;    // "\r" breaks lines, "\r\r" leaves an empty line
    RequestIcon icon = RequestIcon::None;
    int buttons = OkOnly;
    QString firstCaption;  // replaces the first button's caption when not empty
    QString secondCaption; // replaces the second button's caption when not empty
    int number = 0;        // initial value of the number box
};

struct Answer {
    int code = 0;
    bool checked = false; // the check box was ticked
    int number = 0;       // the number box's value
};

// Whatever asks the user: the program's own dialog in the window, scripted
// answers in tests, options on the command line in the batch program.
class Requester {
public:
    virtual ~Requester() = default;
    virtual Answer ask(const Request &request) = 0;

protected:
    Requester() = default;
    Requester(const Requester &) = default;
    Requester &operator=(const Requester &) = default;
    Requester(Requester &&) = default;
    Requester &operator=(Requester &&) = default;
};

} // namespace namenswerk
