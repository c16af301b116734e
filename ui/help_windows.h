#pragma once

namespace namenswerk {

class NameEngine;
class Requester;
struct RenameSettings;
struct Request;

// The help of the program, all shown through the requester: the paged
// shortcut overview and pattern reference, the context help of a control and
// the about box.
class HelpWindows {
public:
    explicit HelpWindows(Requester &requester) : requester_(requester) {}

    void showShortcutOverview();
    void showPatternReference();
    // Help for the control (its number) that has the keyboard focus. inputs:
    // the rule fields as typed (settings record 0), which the definition
    // overview of the template field explains.
    void showContextHelp(int controlId, const NameEngine &engine, const RenameSettings &inputs);
    void showDefinitionOverview(const NameEngine &engine, const RenameSettings &inputs);
    void showAbout();

private:
    // Shows the pages until the window is closed without turning a page.
    void showPages(int pageCount, Request (*page)(int));

    Requester &requester_;
    int helpPage_ = 0; // shared by both paged windows, kept between openings
};

} // namespace namenswerk
