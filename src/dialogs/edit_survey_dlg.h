// "Modify Survey Information": edits a survey's description, site and operator. Created by the
// wizards' "Edit Info" button for one use; EditSurveyInfo() runs the whole round.
#pragma once

#include "dialogs/fixed_dialog.h"
#include "survey/survey_file.h"

class QLineEdit;
class QPushButton;

class TEditSurveyDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TEditSurveyDlg(QWidget* parent = nullptr);

    // Texts as the survey file holds them (bytes: UTF-8, or Windows-1252 from older files).
    void SetSurveyInfo(const std::string& Description, const std::string& Site, const std::string& Operator);
    // The edits' texts into the lines the info-line rule names; the file is not saved.
    void StoreSurveyInfo(SurveyLines& Lines) const;

    QLineEdit* EditDescr;
    QLineEdit* EditSite;
    QLineEdit* EditOperator;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
};

// The "Edit Info" round: shows the dialog on the survey's information lines; on OK stores the
// edited texts into lines and saves the survey file at surveyPath. Returns true on OK, so the
// caller refreshes its information labels from lines; a failed save is reported and the edited
// lines are kept all the same.
bool EditSurveyInfo(QWidget* parent, const std::string& surveyPath, SurveyLines& lines);
