// Qt message boxes, file dialogs and the print dialog behind the message seam.
#include "platform/qt_messages.h"

#include "platform/qt_file_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

MsgButton QtMessages::Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QString::fromStdString(caption);
    switch (type) {
    case MsgType::Error: icon = QMessageBox::Critical; if (title.isEmpty()) title = "Error"; break;
    case MsgType::Warning: icon = QMessageBox::Warning; if (title.isEmpty()) title = "Warning"; break;
    case MsgType::Information: icon = QMessageBox::Information; if (title.isEmpty()) title = "Information"; break;
    case MsgType::Confirmation: icon = QMessageBox::Question; if (title.isEmpty()) title = "Confirm"; break;
    }
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::NoButton, parent_);
    struct Pair { MsgButton ours; QMessageBox::StandardButton qt; };
    const Pair pairs[] = {{MbYes, QMessageBox::Yes}, {MbNo, QMessageBox::No}, {MbOk, QMessageBox::Ok},
                          {MbCancel, QMessageBox::Cancel}, {MbAbort, QMessageBox::Abort},
                          {MbRetry, QMessageBox::Retry}, {MbIgnore, QMessageBox::Ignore}};
    for (const auto& p : pairs)
        if (buttons & p.ours) box.addButton(p.qt);
    box.exec();
    auto clicked = box.standardButton(box.clickedButton());
    for (const auto& p : pairs)
        if (p.qt == clicked) return p.ours;
    return (buttons & MbCancel) ? MbCancel : MbOk;
}

namespace {
// Open and save differ only in the file mode and the overwrite question.
std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save)
{
    SeamFileDialog dialog(parent);
    PrepareFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}
}  // namespace

std::optional<std::string> QtMessages::OpenFile(const FileDialogRequest& request)
{
    return RunFileDialog(parent_, request, false);
}

std::optional<std::string> QtMessages::SaveFile(const FileDialogRequest& request)
{
    return RunFileDialog(parent_, request, true);
}

std::optional<std::string> QtMessages::ChooseFolder(const std::string& title, const std::string& folder)
{
    SeamFileDialog dialog(parent_);
    PrepareFolderDialog(dialog, title, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<PrintChoice> QtMessages::Print(const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer installed: print into a PDF file the user names.
        FileDialogRequest save{"Print to PDF file", "", "print.pdf", "PDF Files (*.pdf)|*.pdf", "pdf", false, true};
        auto file = SaveFile(save);
        if (!file) return std::nullopt;
        PrintChoice choice;
        choice.outputFile = *file;
        return choice;
    }
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.allowSelection);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintChoice choice;
    choice.printerName = printer.printerName().toStdString();
    choice.outputFile = printer.outputFileName().toStdString();
    choice.selectionOnly = printer.printRange() == QPrinter::Selection;
    choice.copies = printer.copyCount();
    return choice;
}

bool QtMessages::PrinterSetup()
{
    QPrinter printer;
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtMessages::Beep() { QApplication::beep(); }
