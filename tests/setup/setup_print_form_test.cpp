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
    form.EditStopDate->setText("02/03/2005");
    form.rcEdit1TimeStop->setText("18:30");
    PrintChoice pdf;
    pdf.outputFile = dir / "setup.pdf";
    messages.PrintTo(pdf);
    ASSERT_TRUE(PrintWithTitle(form, "Feeder 4"));
    EXPECT_TRUE(messages.Texts().empty());
    ASSERT_TRUE(FileExists(pdf.outputFile));
    EXPECT_EQ(PdfTitle(pdf.outputFile), "Setup");
    EXPECT_GE(PdfPages(pdf.outputFile), 3);
    const std::string text = PdfText(pdf.outputFile);
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
    messages.PrintTo(pdf);
    ASSERT_TRUE(PrintWithTitle(form, ""));
    EXPECT_EQ(PrnTitleDlg->EditTit->text(), "Feeder 4");
    EXPECT_EQ(Line(form, 4), "Title:\tFeeder 4");
}

TEST_F(SetupFormTest, PrintGoesOnAfterTheIntervalMessageOnly)
{
    TSetupForm& form = New();
    form.EditStartDate->setText("03/03/2005");
    form.rcEdit1TimeStart->setText("00:00");
    form.EditStopDate->setText("02/03/2005");
    form.rcEdit1TimeStop->setText("00:00");
    PrintChoice pdf;
    pdf.outputFile = dir / "interval.pdf";
    messages.PrintTo(pdf);
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Recorder Stop date and time must be\rgreater than Start date and time"});
    EXPECT_TRUE(FileExists(pdf.outputFile));

    // A value that does not convert would print as 0: the print stops at its message.
    messages.Clear();
    form.EditVLow->setText("x");
    pdf.outputFile = dir / "refused.pdf";
    messages.PrintTo(pdf);
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid float conversion"});
    EXPECT_FALSE(FileExists(pdf.outputFile));
}

TEST_F(SetupFormTest, PrintEndsWithoutTitleOrTemplate)
{
    TSetupForm& form = New();
    PrintChoice pdf;
    pdf.outputFile = dir / "none.pdf";
    messages.PrintTo(pdf);
    ASSERT_TRUE(PrintWithTitle(form, nullptr));
    EXPECT_TRUE(messages.Texts().empty());

    DeleteFile(dir / "stpRef.txt");
    EXPECT_FALSE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The print template stpRef.txt is missing from " + dir.Path() + "."});

    // A template that does not fit its values says which line.
    dir.Write("stpRef.txt", "= Setup\n");
    ASSERT_TRUE(PrintWithTitle(form, "t"));
    EXPECT_EQ(messages.Texts().back(), "The print template ends before its line 3.");
    EXPECT_FALSE(FileExists(pdf.outputFile));
}
