// The survey page of every wizard: a bold title, the survey picker and the group "Info" with the
// chosen survey's description, site and operator, and (where the wizard offers it) "Edit Info".
// Choosing a file loads, checks and upgrades it (each wizard names its upgrade); a file that is no
// survey leaves the page without one. Used by the survey selection wizard, the save wizard's
// append page and the analysis, summary and export wizards.
#pragma once

#include "survey/survey_file.h"

#include <QWidget>
#include <string>

class QLabel;
class QPushButton;
class TSurveyPicker;

class TSurveyPage : public QWidget {
    Q_OBJECT
public:
    enum class InfoEditing { Offered, None };
    // The picker starts in the data folder last used in this run, else in DataDir.
    TSurveyPage(QWidget* parent, const QString& title, SurveyUpgrade upgrade, InfoEditing editing = InfoEditing::Offered);

    TSurveyPicker* Picker;
    QLabel *Label1, *Label2, *Label3;
    QPushButton* BtnInfo;  // nullptr without InfoEditing::Offered

    // The chosen survey: its checked and upgraded lines and its full path; empty while none is valid.
    SurveyLines Lines;
    std::string SelectedFile;
    bool HasSurvey() const { return !SelectedFile.empty(); }

    // Points the lists at a known survey and opens it (once, whether or not the file list could
    // select it); false, after the message, when it is no survey.
    bool PresetSurvey(const std::string& path);
    // Records the picker's folder as the data folder last used (the wizards that remember it call
    // this when they close, whatever their result).
    void RememberFolder() const;

    void FileListChange();
    void BtnInfoClick();

signals:
    // The chosen survey changed (also to none).
    void SurveyChanged();

private:
    void ForgetSurvey();
    bool OpenSurvey(const std::string& path);
    void ShowInfoLabels();
    SurveyUpgrade upgrade_;
};
