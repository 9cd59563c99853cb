// The survey information editor and its "Edit Info" round.
#include "dialogs/edit_survey_dlg.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
SurveyLines Survey(std::size_t lineCount)
{
    SurveyLines lines(lineCount);
    lines[0] = std::string(lineCount == kSurveyLineCount ? kSurveyHeader : kOldSurveyHeader);
    const std::size_t info = lineCount > 13 ? 15 : 10;
    lines[info] = "Old description";
    lines[info + 1] = "Old site";
    lines[info + 2] = "Old operator";
    return lines;
}

// Edits the three texts and presses the given button from inside the dialog's modal loop.
void AnswerDialog(bool ok)
{
    QTimer::singleShot(0, [ok] {
        auto* dialog = qobject_cast<TEditSurveyDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->EditDescr->text(), "Old description");
        dialog->EditDescr->setText("Feeder 2");
        dialog->EditSite->setText("Substation 4");
        dialog->EditOperator->setText("M. Rossi");
        (ok ? dialog->BtnOk : dialog->BtnCancel)->click();
    });
}
}  // namespace

TEST(EditSurveyDlg, EditsHoldSixtyCharacters)
{
    TEditSurveyDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Modify Survey Information");
    for (QLineEdit* edit : {dialog.EditDescr, dialog.EditSite, dialog.EditOperator}) {
        edit->insert(QString(70, 'x'));
        EXPECT_EQ(edit->text().size(), 60);
    }
}

TEST(EditSurveyDlg, StoreSurveyInfoFollowsTheInfoLineRule)
{
    struct Case { std::size_t lineCount, first; };
    for (const Case c : {Case{kShortSurveyLineCount, 10}, Case{kSurveyLineCount, 15}}) {
        TEditSurveyDlg dialog;
        dialog.SetSurveyInfo("Feeder 2", "Substation 4", "M. Rossi");
        SurveyLines lines = Survey(c.lineCount);
        dialog.StoreSurveyInfo(lines);
        ASSERT_EQ(lines.size(), c.lineCount);
        EXPECT_EQ(lines[c.first], "Feeder 2");
        EXPECT_EQ(lines[c.first + 1], "Substation 4");
        EXPECT_EQ(lines[c.first + 2], "M. Rossi");
    }
}

TEST(EditSurveyDlg, OlderTextsAreShownReadably)
{
    TEditSurveyDlg dialog;
    dialog.SetSurveyInfo("Cabina \xe8 nuova", "", "");  // Windows-1252 e grave
    EXPECT_EQ(dialog.EditDescr->text(), QString::fromUtf8("Cabina \u00e8 nuova"));
}

TEST(EditSurveyInfo, OkStoresAndSavesTheSurvey)
{
    TempProgDir dir;
    const std::string path = dir / "survey.orv";
    SurveyLines lines = Survey(kSurveyLineCount);
    ASSERT_TRUE(SaveSurveyLines(path, lines));

    AnswerDialog(true);
    EXPECT_TRUE(EditSurveyInfo(nullptr, path, lines));
    EXPECT_EQ(ReadSurveyInfo(lines), (TSurveyInfo{"Feeder 2", "Substation 4", "M. Rossi"}));
    auto saved = LoadSurveyLines(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, lines);
}

TEST(EditSurveyInfo, CancelChangesNothing)
{
    TempProgDir dir;
    const std::string path = dir / "survey.orv";
    const SurveyLines original = Survey(kShortSurveyLineCount);
    SurveyLines lines = original;
    ASSERT_TRUE(SaveSurveyLines(path, lines));

    AnswerDialog(false);
    EXPECT_FALSE(EditSurveyInfo(nullptr, path, lines));
    EXPECT_EQ(lines, original);
    EXPECT_EQ(*LoadSurveyLines(path), original);
}

TEST(EditSurveyInfo, FailedSaveIsReportedAndTheEditsStay)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "missing-folder/survey.orv";
    SurveyLines lines = Survey(kSurveyLineCount);

    AnswerDialog(true);
    EXPECT_TRUE(EditSurveyInfo(nullptr, path, lines));
    EXPECT_TRUE(messages.Shown("Unable to save the survey file " + path + "."));
    EXPECT_EQ(ReadSurveyInfo(lines).Site, "Substation 4");
}
