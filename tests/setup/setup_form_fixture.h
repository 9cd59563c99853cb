// The setup editor's window tests: a temporary program folder with the print template, scripted
// messages, the run-long date picker and print title dialog, and editors opened on new setups or
// files; the program-wide windows and folder memory are put back afterwards.
#pragma once

#include "dialogs/br_date_form.h"
#include "dialogs/prn_title_dlg.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "setup/setup_form.h"
#include "survey/records.h"

#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class SetupFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        keptDatePicker_ = BrDateForm;
        keptTitleDialog_ = PrnTitleDlg;
        keptLastPath_ = LastPath();
        LastPath() = {};
        datePicker_ = std::make_unique<TBrDateForm>();
        titleDialog_ = std::make_unique<TPrnTitleDlg>();
        BrDateForm = datePicker_.get();
        PrnTitleDlg = titleDialog_.get();
        std::filesystem::copy_file(ORV_SETUP_TEMPLATE, dir / "stpRef.txt");
    }
    void TearDown() override
    {
        forms_.clear();
        BrDateForm = keptDatePicker_;
        PrnTitleDlg = keptTitleDialog_;
        LastPath() = keptLastPath_;
    }

    // An editor on a new setup numbered 3, shown.
    TSetupForm& New()
    {
        TSetupForm& form = Add();
        form.NewSetup(3);
        return form;
    }
    // An editor on a file, shown; the test fails when the file does not open.
    TSetupForm& Open(const std::string& path)
    {
        TSetupForm& form = Add();
        EXPECT_TRUE(form.LoadSetupFile(path));
        return form;
    }

    // The recorder's start and stop fields as typed ("" leaves a field empty).
    static void SetInterval(TSetupForm& form, const char* startDate, const char* startTime, const char* stopDate,
                            const char* stopTime)
    {
        form.EditStartDate->setText(startDate);
        form.rcEdit1TimeStart->setText(startTime);
        form.EditStopDate->setText(stopDate);
        form.rcEdit1TimeStop->setText(stopTime);
    }
    // The next print dialog answered with a PDF file of the program folder; its path.
    std::string PrintToPdf(const std::string& name)
    {
        PrintChoice pdf;
        pdf.outputFile = dir / name;
        messages.PrintTo(pdf);
        return pdf.outputFile;
    }

    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;

private:
    TSetupForm& Add()
    {
        forms_.push_back(std::make_unique<TSetupForm>(services.Context()));
        forms_.back()->show();
        QApplication::processEvents();
        return *forms_.back();
    }

    std::vector<std::unique_ptr<TSetupForm>> forms_;
    std::unique_ptr<TBrDateForm> datePicker_;
    std::unique_ptr<TPrnTitleDlg> titleDialog_;
    TBrDateForm* keptDatePicker_ = nullptr;
    TPrnTitleDlg* keptTitleDialog_ = nullptr;
    TLastPath keptLastPath_;
};
