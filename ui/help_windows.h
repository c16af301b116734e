#pragma once

namespace namenswerk {

class NameEngine;
class Requester;

// The help of the program, all shown through the requester: the paged
// shortcut overview and pattern reference, the context help of a control and
// the about box.
class HelpWindows {
public:
    explicit HelpWindows(Requester &requester) : requester_(requester) {}

    void showShortcutOverview();
    void showPatternReference();
    // Help for the control (its number) that has the keyboard focus.
    void showContextHelp(int controlId, const NameEngine &engine);
    void showAbout();

private:
    Requester &requester_;
    int helpPage_ = 0; // shared by both paged windows, kept between openings
};

} // namespace namenswerk
