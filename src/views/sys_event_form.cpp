// The system events window.
#include "views/sys_event_form.h"

#include "dialogs/fixed_dialog.h"
#include "views/printed_frame.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TSysEventForm::TSysEventForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("System Events");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(700, 405);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    const TPanelGrid panel = AddRaisedPanel(this);
    QFrame* top = panel.Frame;
    QGridLayout* grid = panel.Grid;
    LabelDescr = AddPanelLabel(top, grid, "Description:", 0, 0);
    LabelSite = AddPanelLabel(top, grid, "Site:", 1, 0);
    LabelOperator = AddPanelLabel(top, grid, "Operator:", 2, 0);
    LabelIni = AddPanelLabel(top, grid, "", 0, 1);
    LabelEnd = AddPanelLabel(top, grid, "", 1, 1);
    LabelRec = AddPanelLabel(top, grid, "", 2, 1);
    grid->setColumnStretch(0, 1);
    column->addWidget(top);

    List = new QTreeWidget(this);
    List->setRootIsDecorated(false);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setUniformRowHeights(true);
    // Grid lines between the cells, as a report list draws them.
    List->setStyleSheet("QTreeWidget::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }");
    List->setHeaderLabels({"Date ", "Event", "Parameters"});
    List->setColumnWidth(0, 120);
    List->setColumnWidth(1, 150);
    List->header()->setStretchLastSection(true);
    column->addWidget(List, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 6, 8, 6);
    BtnClose = new QPushButton("&Close", this);
    bottom->addStretch(1);
    bottom->addWidget(BtnClose);
    bottom->addStretch(1);
    column->addLayout(bottom);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TSysEventForm::SetSysEventInfo(const TSurveySelection& selection, const TMeasureFileInfo& info)
{
    LabelDescr->setText("Description: " + Q(selection.Description));
    LabelSite->setText("Site: " + Q(selection.Site));
    LabelOperator->setText("Operator: " + Q(selection.Operator));
    LabelIni->clear();
    LabelEnd->clear();
    info_ = info;
    start_ = selection.Start;
    stop_ = selection.Stop;
}

void TSysEventForm::FormShow()
{
    BtnClose->setFocus();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    List->clear();
    const TSystemEventList events = ReadSystemEvents(info_, start_, stop_);
    QList<QTreeWidgetItem*> items;
    for (const TSystemEventRow& row : events.Rows)
        items.append(new QTreeWidgetItem(QStringList{Q(row.Date), Q(row.Event), Q(row.Parameters)}));
    List->addTopLevelItems(items);
    // The columns' widths are the least they take; a date or name wider in this font widens its column.
    for (int col : {0, 1}) {
        const int least = List->columnWidth(col);
        List->resizeColumnToContents(col);
        List->setColumnWidth(col, std::max(least, List->columnWidth(col)));
    }
    LabelRec->setText(QString("Filtered records: %1").arg(events.RecordsRead));
    QApplication::restoreOverrideCursor();
}

void TSysEventForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
    FormShow();
}
