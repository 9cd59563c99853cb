// TSysEventForm ("System Events"): the modal list of the recorder's system events in the events
// list's period (date, event, parameters; system_events.h). The events list's "System Events"
// button creates it, hands it the selection and the events file, shows it and frees it.
#pragma once

#include "survey/records.h"
#include "views/system_events.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

class TSysEventForm : public QDialog {
    Q_OBJECT
public:
    explicit TSysEventForm(QWidget* parent = nullptr);

    // The survey's texts in the labels; the events file to read.
    void SetSysEventInfo(const TSurveySelection& selection, const TMeasureFileInfo& info);
    // Reads the period and lists its system events (on showing).
    void FormShow();

    QLabel *LabelDescr, *LabelSite, *LabelOperator;
    QLabel *LabelIni, *LabelEnd, *LabelRec;
    QTreeWidget* List;
    QPushButton* BtnClose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TMeasureFileInfo info_;
    TDateTime start_ = 0, stop_ = 0;
};
