#include "platform/printing/PrintDialogChoices.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QPrintDialog>
#include <QSpinBox>

PrintDialogChoices::PrintDialogChoices(QPrintDialog& dialog) : m_dialog(dialog)
{
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.installEventFilter(this); // Qt sets its widgets up as the dialog is shown
    if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
        connect(printers, &QComboBox::currentIndexChanged, this, [this] { apply(); });
}

bool PrintDialogChoices::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_dialog && event->type() == QEvent::Show)
        apply();
    return false;
}

void PrintDialogChoices::apply()
{
    if (auto* range = m_dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange")))
        range->hide();
    // Qt enables the file name for the PDF printer only.
    const auto* file = m_dialog.findChild<QWidget*>(QStringLiteral("filename"));
    const bool toFile = file && file->isEnabled();
    if (auto* copies = m_dialog.findChild<QSpinBox*>(QStringLiteral("copies"))) {
        if (toFile)
            copies->setValue(1);
        copies->setEnabled(!toFile);
    }
    if (auto* reverse = m_dialog.findChild<QAbstractButton*>(QStringLiteral("reverse"))) {
        if (toFile)
            reverse->setChecked(false);
        reverse->setEnabled(!toFile);
    }
    if (auto* collate = m_dialog.findChild<QWidget*>(QStringLiteral("collate")))
        collate->setEnabled(!toFile);
}
