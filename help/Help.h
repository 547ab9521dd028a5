#pragma once

#include "platform/windows/Window.h"

#include <string>
#include <utility>
#include <vector>

class MenuItem;
class PushButton;
class QuitMenuItem;
class TextArea;

// The help window: the fixed help text, read-only, with its own menu bar.
class Help : public Window {
public:
    static constexpr const char* kClassName = "Help";
    Help();

    TextArea& TextArea1() const;
    PushButton& PushButton1() const;

    void TextArea1_Open(TextArea& area);
    void PushButton1_Action(PushButton& button);

    MenuItem& EditMenu() const;
    MenuItem& EditSelectAll() const;
    MenuItem& EditSeparator2() const;
    MenuItem& EditClear() const;
    MenuItem& EditPaste() const;
    MenuItem& EditCopy() const;
    MenuItem& EditCut() const;
    MenuItem& EditSeparator1() const;
    MenuItem& EditUndo() const;
    MenuItem& FileMenu() const;
    QuitMenuItem& FileQuit() const;
    MenuItem& FilePrintHelp() const;

    bool FilePrintHelp_Action();

    // The help text: paragraphs separated by an empty line, each line break a single CR.
    static const std::string& HelpText();
    // The runs of the help text shown in bold blue, as start and length: the opening sentence
    // and the two headings.
    static std::vector<std::pair<int, int>> BoldRuns();

protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override;
    void Event_Close() override;

private:
    void CreateControls0();
};
