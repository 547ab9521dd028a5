#include "platform/windows/QtSeam.h"

#include "platform/printing/PrintDialogChoices.h"
#include "platform/printing/QtPrintJob.h"
#include "platform/runtime/ToQtText.h"
#include "platform/windows/MessageDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace {

QString qs(const std::string& text)
{
    return ToQtText(text);
}

// The window that was active when a dialog opened gets the focus back when it closes, also
// where no window manager hands it back.
class ModalScope {
public:
    ModalScope() : m_owner(QApplication::activeWindow()) {}
    ~ModalScope()
    {
        if (m_owner)
            m_owner->activateWindow();
    }
    QWidget* parent() const { return m_owner; }

private:
    QPointer<QWidget> m_owner;
};

// Every text of a box is shown as the characters it holds: a text from outside (a server's
// reply, a file name) must not turn into markup, pictures or links that open.
void showAsPlainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
}

} // namespace

void QtSeam::MsgBox(const std::string& text)
{
    const ModalScope scope;
    QMessageBox box(scope.parent());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(qs(text));
    box.setStandardButtons(QMessageBox::Ok);
    showAsPlainText(box);
    box.exec();
}

MessageDialogButton* QtSeam::ShowMessageDialog(MessageDialog& dialog)
{
    const ModalScope scope;
    QMessageBox box(scope.parent());
    box.setWindowTitle(qs(dialog.Title));
    box.setText(qs(dialog.Message));
    box.setInformativeText(qs(dialog.Explanation));
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Critical, QMessageBox::Question};
    box.setIcon(dialog.Icon >= 0 && dialog.Icon < 4 ? icons[dialog.Icon] : QMessageBox::NoIcon);
    struct Entry { MessageDialogButton* button; QMessageBox::ButtonRole role; };
    const Entry entries[] = {{&dialog.ActionButton, QMessageBox::AcceptRole},
                             {&dialog.AlternateActionButton, QMessageBox::ActionRole},
                             {&dialog.CancelButton, QMessageBox::RejectRole}};
    QAbstractButton* shown[3] = {};
    for (int i = 0; i < 3; ++i)
        if (entries[i].button->Visible)
            shown[i] = box.addButton(qs(entries[i].button->Caption), entries[i].role);
    if (auto* action = qobject_cast<QPushButton*>(shown[0]))
        box.setDefaultButton(action);
    if (shown[2])
        box.setEscapeButton(shown[2]);
    showAsPlainText(box);
    box.exec();
    for (int i = 0; i < 3; ++i)
        if (shown[i] && box.clickedButton() == shown[i])
            return entries[i].button;
    return nullptr;
}

std::optional<std::string> QtSeam::OpenFile(const OpenFileRequest& request)
{
    const ModalScope scope;
    QFileDialog dialog(scope.parent(), qs(request.Title));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, qs(request.Prompt));
    dialog.setNameFilter(qs(request.FilterName) + QStringLiteral(" (") + qs(request.FilterPatterns)
                         + QStringLiteral(")"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtSeam::SelectFolder(const std::string& prompt, const std::string& title)
{
    const ModalScope scope;
    QFileDialog dialog(scope.parent(), qs(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::LookIn, qs(prompt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

void QtSeam::Beep()
{
    QApplication::beep();
}

void QtSeam::ShowURL(const std::string& url)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::unique_ptr<PrintJob> QtSeam::OpenPrinterDialog(const PrinterSetup& setup)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QtPrintJob::ApplySetup(*printer, setup);
    const ModalScope scope;
    QPrintDialog dialog(printer.get(), scope.parent());
    const PrintDialogChoices choices(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<QtPrintJob>(std::move(printer), setup);
}
