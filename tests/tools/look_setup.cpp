// The setup editor in the main window, for looking at it by hand. Its menu commands stay
// disabled, so the editor is opened by calling the New Setup and Open Setup handlers directly:
//   xvfb-run -a orv_look_setup <folder>
// writes into <folder>: setup_<n>_<page>.png for the ten pages of a setup opened from a file,
// main_window.png, and setup.pdf, the setup printed through the main window's Print button
// (render it with pdftoppm to look at it).
#include "app/main_form.h"
#include "dialogs/br_date_form.h"
#include "dialogs/prn_title_dlg.h"
#include "fixtures/setup_fixture.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "setup/setup_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {
std::string folder;

void Save(QWidget& window, const std::string& name)
{
    Settle(300);
    window.grab().save(QString::fromStdString(folder + name + ".png"));
}

std::string FileNameOf(const QString& page)
{
    std::string name;
    for (QChar c : page)
        if (c.isLetterOrNumber()) name += static_cast<char>(c.toLower().toLatin1());
    return name;
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    std::filesystem::copy_file(ORV_SETUP_TEMPLATE, ProgDir() + "stpRef.txt",
                               std::filesystem::copy_options::overwrite_existing);
    // A setup of a feeder: limits, some switches on, a recording interval.
    SetupImage image;
    image.F32(62, 400.0f).U16(103, 0x80FF).U16(115, 0x03).U16(243, 0x47).U8(345, 1).U16(371, 0x1FF);
    image.F32(351, 150000.0f).F32(355, 50000.0f).F32(359, 160000.0f).F32(363, 250.0f).U16(489, 5).F32(545, 2.0f);
    image.Date(72, 5, 1, 3).Time(68, 10, 15).Date(80, 5, 8, 3).Time(76, 18, 0).U16(123, 12).U16(125, 0x07);
    const std::string path = image.Write(DataDir() + "feeder.cfg");

    ScriptedMessages messages;
    messages.PickFile(path);
    PrintChoice pdf;
    pdf.outputFile = folder + "setup.pdf";
    messages.PrintTo(pdf);

    TMainForm form;
    BrDateForm = new TBrDateForm(&form);
    PrnTitleDlg = new TPrnTitleDlg(&form);
    RegisterSetupEditor(form.WindowRegistry, [&form] { return form.UntitledSetupCount; });
    form.resize(900, 640);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends
    form.ItemNewSetupClick();
    form.ItemOpenSetupClick();
    auto* editor = qobject_cast<TSetupForm*>(form.ActiveChild());
    if (!editor) {
        std::fprintf(stderr, "the setup editor did not open\n");
        return 1;
    }
    for (int page = 0; page < editor->PageControl->count(); ++page) {
        editor->PageControl->setCurrentIndex(page);
        Save(*editor, "setup_" + std::to_string(page + 1) + "_" + FileNameOf(editor->PageControl->tabText(page)));
    }
    editor->PageControl->setCurrentIndex(0);
    Save(form, "main_window");
    QTimer::singleShot(0, [] {
        if (PrnTitleDlg->isVisible()) {
            PrnTitleDlg->EditTit->setText("Feeder 4, March survey");
            PrnTitleDlg->accept();
        }
    });
    form.BtnPrint->trigger();
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    std::printf("%s\nFile menu: New %d Open %d Save %d Save As %d\n", editor->windowTitle().toStdString().c_str(),
                form.ItemNewSetup->isEnabled(), form.ItemOpenSetup->isEnabled(), form.ItemSaveSetup->isEnabled(),
                form.ItemSaveSetupAs->isEnabled());
    return FileExists(folder + "setup.pdf") ? 0 : 1;
}
