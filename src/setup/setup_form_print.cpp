// The setup editor's print: the title asked, the record brought up to date, the template of the
// program folder filled and printed as the document "Setup".
#include "setup/setup_form.h"

#include "dialogs/prn_title_dlg.h"
#include "dialogs/radio_group.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "setup/setup_print.h"
#include "setup/setup_print_document.h"

#include <QTextDocument>

void TSetupForm::PrintSetup()
{
    // The template ships with the program: without it there is nothing to print, and the user
    // is told so rather than left wondering.
    const std::optional<std::string> templatePath = FindFileNoCase(ProgDir(), kSetupTemplateName);
    if (!templatePath) {
        ShowError(std::string("The print template ") + kSetupTemplateName + " is missing from " + ProgDir() + ".");
        return;
    }
    if (!PrnTitleDlg || PrnTitleDlg->exec() != QDialog::Accepted) return;
    const std::string title = PrnTitleDlg->Title().toStdString();
    const std::optional<PrintChoice> choice = AskPrint();
    if (!choice) return;
    // The recorder interval's message does not stop a print; a value that does not convert does,
    // since it would print as 0.
    if (ControlsToSetup() == TControlsResult::FieldRefused) return;
    const std::optional<std::vector<std::string>> lines = ReadTemplateLines(*templatePath);
    if (!lines) {
        ShowError("Unable to read the print template " + *templatePath + ".");
        return;
    }
    std::string error;
    const std::optional<std::vector<std::string>> filled =
        FillSetupTemplate(*lines, setup_, {path_, title, GroupVSamples->ItemIndex()}, &error);
    if (!filled) {
        ShowError(error);
        return;
    }
    BuildSetupDocument(*PrnMemo, *filled);
    if (!PrintSetupDocument(*PrnMemo, *choice, "Setup")) ShowError("Unable to print: the printer cannot be opened.");
}
