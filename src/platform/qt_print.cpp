// Printer configuration from a print choice; a PDF file when no printer is named.
#include "platform/qt_print.h"

#include <QPrinter>

void ConfigurePrinter(QPrinter& printer, const PrintChoice& choice)
{
    if (!choice.outputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(choice.outputFile));
    } else if (!choice.printerName.empty()) {
        printer.setPrinterName(QString::fromStdString(choice.printerName));
    }
    printer.setCopyCount(choice.copies > 0 ? choice.copies : 1);
}
