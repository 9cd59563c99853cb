// "Save Data Files As": the save wizard of received data. Page 1 chooses between a new survey
// and appending to an existing one, page 2 names the new survey and its information, page 3
// picks the survey to extend. After a save the temporary files are removed, and Cancel discards
// them; Escape and the close box close the wizard as Cancel does but keep the received data.
#pragma once

#include "wizards/wizard_frame.h"

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;
class TSurveyPage;

class TSaveReadDlg : public TWizardFrame {
    Q_OBJECT
public:
    explicit TSaveReadDlg(QWidget* parent = nullptr);

    // Imports the repository into the temporary files with the progress window; false (after
    // its message) for a file that cannot be imported.
    bool ImportRepository(const std::string& path);

    std::uint16_t ReceivedMask = 0;
    std::string SurveyFile;      // full path of the survey to create or extend
    std::string RepositoryName;  // the repository just imported, proposes the new name

    QRadioButton* RadioCreate;
    QRadioButton* RadioAppend;
    QLabel* SurvName;
    QPushButton* BtnBrowse;
    QLineEdit *EditDescr, *EditSite, *EditOperator;
    TSurveyPage* AppendPage;

    void BtnBrowseClick();
    // Discards the received data, then closes with Cancel.
    void BtnCancelClick() override;

protected:
    int NextPage(int page) const override;
    void PageEntered(int page) override;
    bool CanGoForward(int page) const override;
    bool FinishWizard() override;

private:
    void AppendSurveyChanged();
    std::string newSurveyPath_;  // the name chosen with Browse
};
