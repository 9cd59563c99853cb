// The setup editor's print: the title asked, the template filled and printed as "Setup", and
// what ends the command before it prints.
#include "dialogs/radio_group.h"
#include "fixtures/on_modal.h"
#include "fixtures/pdf_text.h"
#include "platform/file_io.h"
#include "setup_form_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// Prints with the title typed into the print title dialog (none: the dialog is cancelled).
bool PrintWithTitle(TSetupForm& form, const char* title)
{
    return OnModal<TPrnTitleDlg>([&] { form.PrintSetup(); }, [title](TPrnTitleDlg& dialog) {
        if (!title) {
            dialog.BtnCancel->click();
            return;
        }
        if (*title) dialog.EditTit->setText(title);
        dialog.BtnOk->click();
    });
}

std::string Line(const TSetupForm& form, int line)
{
    return form.PrnMemo->findBlockByNumber(line).text().toStdString();
}
}  // namespace

TEST_F(SetupFormTest, PrintsTheFilledTemplate)
{
    TSetupForm& form = New();
    form.EditVNom->setText("400");
    form.GroupVSamples->SetItemIndex(1);
    SetInterval(form, "", "", "02/03/2005", "18:30");
    const std::string pdf = PrintToPdf("setup.pdf");
    ASSERT_TRUE(PrintWithTitle(form, "Feeder 4"));
    EXPECT_TRUE(messages.Texts().empty());
    ASSERT_TRUE(FileExists(pdf));
    EXPECT_EQ(PdfTitle(pdf), "Setup");
    EXPECT_GE(PdfPages(pdf), 3);
    const std::string text = PdfText(pdf);
    for (const char* shown : {"ORV Instrument Setup", "untitled", "Feeder 4", "400.0 V", "Start waveform",
                              "02/03/2005 18:30:00"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown;
    // The document holds the lines as filled, markers read as styles.
    EXPECT_EQ(Line(form, 0), "ORV Instrument Setup");
    EXPECT_EQ(Line(form, 3), "File:\tuntitled");
    EXPECT_EQ(Line(form, 7), "Nominal voltage:\t400.0 V");
    EXPECT_EQ(Line(form, 225), "Start:\t ");  // no start date: two empty texts
    EXPECT_EQ(Line(form, 226), "Stop:\t02/03/2005 18:30:00");

    // The title typed last is offered again.
    PrintToPdf("again.pdf");
    ASSERT_TRUE(PrintWithTitle(form, ""));
    EXPECT_EQ(PrnTitleDlg->EditTit->text(), "Feeder 4");
    EXPECT_EQ(Line(form, 4), "Title:\tFeeder 4");
}

TEST_F(SetupFormTest, PrintGoesOnAfterTheIntervalMessageOnly)
{
    TSetupForm& form = New();
    SetInterval(form, "03/03/2005", "00:00", "02/03/2005", "00:00");
    const std::string printed = PrintToPdf("interval.pdf");
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Recorder Stop date and time must be\rgreater than Start date and time"});
    EXPECT_TRUE(FileExists(printed));

    // A value that does not convert would print as 0: the print stops at its message.
    messages.Clear();
    form.EditVLow->setText("x");
    const std::string refused = PrintToPdf("refused.pdf");
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid float conversion"});
    EXPECT_FALSE(FileExists(refused));
}

TEST_F(SetupFormTest, PrintEndsWithoutTitleOrTemplate)
{
    TSetupForm& form = New();
    const std::string pdf = PrintToPdf("none.pdf");
    ASSERT_TRUE(PrintWithTitle(form, nullptr));
    EXPECT_TRUE(messages.Texts().empty());

    DeleteFile(dir / "stpRef.txt");
    EXPECT_FALSE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The print template stpRef.txt is missing from " + dir.Path() + "."});

    // A template that does not fit its values says which line.
    dir.Write("stpRef.txt", "= Setup\n");
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts().back(), "The print template ends before its line 3.");
    EXPECT_FALSE(FileExists(pdf));
}
