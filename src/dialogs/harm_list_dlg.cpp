// The harmonics picker window.
#include "dialogs/harm_list_dlg.h"

#include <QGridLayout>
#include <algorithm>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton* MoveButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setFixedSize(26, 24);
    return button;
}

void ReadListSelection(const QListWidget* list, PickerList& into)
{
    for (int i = 0; i < into.Count() && i < list->count(); ++i) into.selected[i] = list->item(i)->isSelected();
}

void ShowList(const PickerList& from, QListWidget* list)
{
    list->clear();
    for (int i = 0; i < from.Count(); ++i) {
        list->addItem(QString::fromStdString(from.items[i]));
        list->item(i)->setSelected(from.selected[i]);
    }
}
}  // namespace

THarmListDlg::THarmListDlg(QWidget* parent) : FixedDialog(parent, "Harmonics Selection")
{
    SrcList = new QListWidget(this);
    DstList = new QListWidget(this);
    for (QListWidget* list : {SrcList, DstList}) list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    IncludeBtn = MoveButton(">", this);
    IncAllBtn = MoveButton(">>", this);
    ExcludeBtn = MoveButton("<", this);
    ExAllBtn = MoveButton("<<", this);
    ExcludeBtn->setEnabled(false);
    ExAllBtn->setEnabled(false);
    Label1 = new QLabel("Max %d items", this);

    auto* moveColumn = new QVBoxLayout;
    moveColumn->addStretch(1);
    for (QToolButton* button : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn}) moveColumn->addWidget(button);
    moveColumn->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(BoldLabel("Source List:", this), 0, 0);
    grid->addWidget(BoldLabel("Destination List:", this), 0, 2);
    grid->addWidget(SrcList, 1, 0);
    grid->addLayout(moveColumn, 1, 1);
    grid->addWidget(DstList, 1, 2);
    MainLayout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    MainLayout()->addLayout(grid, 1);
    MainLayout()->addWidget(Label1);
    auto buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;
    setFixedSize(340, 280);

    connect(IncludeBtn, &QToolButton::clicked, this, &THarmListDlg::IncludeBtnClick);
    connect(ExcludeBtn, &QToolButton::clicked, this, &THarmListDlg::ExcludeBtnClick);
    connect(IncAllBtn, &QToolButton::clicked, this, &THarmListDlg::IncAllBtnClick);
    connect(ExAllBtn, &QToolButton::clicked, this, &THarmListDlg::ExcAllBtnClick);
}

void THarmListDlg::SetupHarmList(const HarmonicNumbers& Avail, const HarmonicNumbers& Chosen, int AvailCount,
                                 int ChosenCount, int Phases, int Mode)
{
    picker.Setup(Avail, Chosen, AvailCount, ChosenCount, Phases, Mode);
    setWindowTitle(QString::fromStdString(picker.Caption()));
    Label1->setText(QString::fromStdString(picker.LimitText()));
    ShowPicker();
}

void THarmListDlg::GetHarmList(HarmonicNumbers& Numbers, int& Count) const
{
    const std::vector<std::uint16_t> chosen = picker.Chosen();
    Count = static_cast<int>(std::min<std::size_t>(chosen.size(), Numbers.size()));
    std::copy_n(chosen.begin(), Count, Numbers.begin());
}

void THarmListDlg::IncludeBtnClick()
{
    ReadSelection();
    picker.Include();
    ShowPicker();
}

void THarmListDlg::ExcludeBtnClick()
{
    ReadSelection();
    picker.Exclude();
    ShowPicker();
}

void THarmListDlg::IncAllBtnClick()
{
    ReadSelection();
    picker.IncludeAll();
    ShowPicker();
}

void THarmListDlg::ExcAllBtnClick()
{
    ReadSelection();
    picker.ExcludeAll();
    ShowPicker();
}

void THarmListDlg::ReadSelection()
{
    ReadListSelection(SrcList, picker.source);
    ReadListSelection(DstList, picker.destination);
}

void THarmListDlg::ShowPicker()
{
    ShowList(picker.source, SrcList);
    ShowList(picker.destination, DstList);
    (picker.focus == PickerSide::Source ? SrcList : DstList)->setFocus();
    IncludeBtn->setEnabled(picker.CanInclude());
    IncAllBtn->setEnabled(picker.CanInclude());
    ExcludeBtn->setEnabled(picker.CanExclude());
    ExAllBtn->setEnabled(picker.CanExclude());
    BtnOk->setEnabled(picker.OkEnabled());
}
