#pragma once

#include <string>

// One button of a message dialog; compare the pressed button by address.
struct MessageDialogButton {
    std::string Caption;
    bool Visible = false;
};

// A modal dialog with a message, an explanation and up to three buttons.
class MessageDialog {
public:
    MessageDialog();

    std::string Title;
    std::string Message;
    std::string Explanation;
    int Icon = 0; // 0 note, 1 caution, 2 stop, 3 question
    MessageDialogButton ActionButton;
    MessageDialogButton CancelButton;
    MessageDialogButton AlternateActionButton;

    // The button the user pressed, or nullptr when the dialog was dismissed otherwise.
    MessageDialogButton* ShowModal();
};
