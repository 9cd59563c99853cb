// The order-statistic-and-phase traces dialog.
#include "views/traces_hrm_dlg.h"

#include "views/colour_grid.h"
#include "views/harmonic_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

TTracesHrmDlg::TTracesHrmDlg(QWidget* parent) : TTracesHrmDlg(parent, 2) {}

TTracesHrmDlg::TTracesHrmDlg(QWidget* parent, int phaseColumn) : TTracesDialogBase(parent, 1)
{
    LabelTitOrd = new QLabel("Order:", this);
    TraceRows()->addWidget(LabelTitOrd, 0, 0);
    LabelTitMeas = LabelTit;
    LabelTitMeas->setText("Measure:");
    for (int k = 0; k < kTraceCount; ++k) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString("CBoxH%1").arg(k + 1));
        list->setMinimumWidth(70);
        connect(list, &QComboBox::activated, this, [this, k] { CBoxHChange(k); });
        OrderLists[static_cast<std::size_t>(k)] = list;
        TraceRows()->addWidget(list, k + 1, 0);
    }
    AddPhaseRows(phaseColumn);
    GroupScale->setTitle("Y Axis (%)");
    setWindowTitle("Harmonics Traces Settings");
    ColorGrid->setToolTip("Drag on Measures to change color");
}

void TTracesHrmDlg::SetTraces(const TTrendLayout& layout, const TTraceSettings& settings)
{
    layout_ = layout;
    ThreePhase = layout.ThreePhase;
    Settings = settings;
    for (QComboBox* list : OrderLists) {
        list->clear();
        for (const TTrendBlock& block : layout_.Blocks) list->addItem(QString::fromStdString(block.OrderName));
    }
    FormActivate();
}

void TTracesHrmDlg::FillStatNames(int index, int block)
{
    const bool known = block >= 0 && block < static_cast<int>(layout_.Blocks.size());
    SetListItems(index, known ? layout_.Blocks[static_cast<std::size_t>(block)].StatNames : std::vector<std::string>{"none"});
}

void TTracesHrmDlg::ShowTraceRows()
{
    for (std::size_t k = 0; k < OrderLists.size(); ++k) {
        const int count = OrderLists[k]->count();
        const int block = Settings.Entries[k].Extra;
        OrderLists[k]->setCurrentIndex(block >= 0 && block < count ? block : std::min(0, count - 1));
        FillStatNames(static_cast<int>(k), OrderLists[k]->currentIndex());
    }
}

void TTracesHrmDlg::CBoxHChange(int index)
{
    FillStatNames(index, OrderLists[static_cast<std::size_t>(index)]->currentIndex());
    Combos[static_cast<std::size_t>(index)]->setCurrentIndex(0);
    ComboChange();
}

void TTracesHrmDlg::SetListColour(int index, std::uint32_t colour)
{
    TTracesDialogBase::SetListColour(index, colour);
    PaintListText(OrderLists[static_cast<std::size_t>(index)], colour);
}

// The offsets follow the order each row names.
void TTracesHrmDlg::ResolveOffsets()
{
    for (std::size_t k = 0; k < Settings.Entries.size(); ++k) {
        TTraceEntry& e = Settings.Entries[k];
        e.Extra = std::max(0, OrderLists[k]->currentIndex());
        e.Offset = e.Item > 0 ? HarmonicValueOffset(layout_, e.Extra, e.Item, e.Phase) : 0;
    }
}
