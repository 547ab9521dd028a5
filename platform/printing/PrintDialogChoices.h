#pragma once

#include <QObject>

class QPrintDialog;

// Keeps a print dialog to the choices that the print carries out: the whole text is printed
// every time, so there is no choice of pages (which Qt offers with CUPS even with the page
// range option off), and a PDF file gets one copy in page order, so copies, collation and
// reverse order are off while the file is the chosen printer. Lives as long as the dialog
// is shown. Qt's own widgets are found by name; where one is missing nothing changes.
class PrintDialogChoices : public QObject {
public:
    explicit PrintDialogChoices(QPrintDialog& dialog);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    QPrintDialog& m_dialog;
};
