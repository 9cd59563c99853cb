// "Save Data Files As": the save wizard of received data. Page 1 chooses between a new survey
// and appending to an existing one, page 2 names the new survey and its information, page 3
// picks the survey to extend. The temporary files are removed when the wizard closes (after a
// save, or discarded on Cancel).
#pragma once

#include "survey/survey_file.h"

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TSurveyPicker;

class TSaveReadDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSaveReadDlg(QWidget* parent = nullptr);

    // Imports the repository into the temporary files with the progress window; false (after
    // its message) for a file that cannot be imported.
    bool ImportRepository(const std::string& path);

    SurveyLines Lines;
    std::uint16_t ReceivedMask = 0;
    std::string SurveyFile;      // full path of the survey to create or extend
    std::string RepositoryName;  // the repository just imported, proposes the new name
    std::string SurveyFolder;

    QStackedWidget* Notebook;
    QRadioButton* RadioCreate;
    QRadioButton* RadioAppend;
    QLabel* SurvName;
    QPushButton* BtnBrowse;
    QLineEdit *EditDescr, *EditSite, *EditOperator;
    TSurveyPicker* Picker;
    QLabel *LabelDescr, *LabelSite, *LabelOperator;
    QPushButton *BtnBack, *BtnNext, *BtnFinish, *BtnCancel;

    void BtnNextClick();
    void BtnBackClick();
    void BtnBrowseClick();
    void FileListChange();
    void BtnFinishClick();
    void BtnCancelClick();

public slots:
    // Closing is allowed only after a successful Finish or Cancel (Escape and the close box
    // do not discard the received data).
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPage(int page);
    bool closing_ = false;
};
