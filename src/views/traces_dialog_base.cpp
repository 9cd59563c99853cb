// The shared part of the traces dialogs.
#include "views/traces_dialog_base.h"

#include "survey/number_text.h"
#include "survey/trace_colours.h"
#include "views/colour_grid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QVBoxLayout>

QString FixedTwoDecimals(float value) { return QString::fromStdString(FormatFixed(value, 2)); }

TTracesDialogBase::TTracesDialogBase(QWidget* parent, int listColumn) : QDialog(parent)
{
    setWindowTitle("Traces Settings");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* main = new QHBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);

    auto* left = new QVBoxLayout;
    traceRows_ = new QGridLayout;
    LabelTit = new QLabel("Traces:", this);
    traceRows_->addWidget(LabelTit, 0, listColumn);
    for (int k = 0; k < kTraceCount; ++k) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString("ComboBox%1").arg(k + 1));
        combo->setMaxVisibleItems(10);
        combo->setMinimumWidth(150);
        combo->setAcceptDrops(true);
        combo->installEventFilter(this);
        connect(combo, &QComboBox::activated, this, &TTracesDialogBase::ComboChange);
        Combos[static_cast<std::size_t>(k)] = combo;
        traceRows_->addWidget(combo, k + 1, listColumn);
    }
    left->addLayout(traceRows_);
    left->addStretch();
    main->addLayout(left);

    auto* right = new QVBoxLayout;
    GroupScale = new QGroupBox("Y Axis", this);
    auto* scale = new QGridLayout(GroupScale);
    CBoxAuto = new QCheckBox("Auto Scale", GroupScale);
    connect(CBoxAuto, &QCheckBox::clicked, this, &TTracesDialogBase::CBoxAutoClick);
    scale->addWidget(CBoxAuto, 0, 0, 1, 3);
    auto addSpin = [this, scale](int row, const char* caption, QLineEdit*& edit, QToolButton*& up, QToolButton*& down) {
        scale->addWidget(new QLabel(caption, GroupScale), row, 0);
        edit = new QLineEdit("0", GroupScale);
        edit->setMaxLength(8);
        edit->setFixedWidth(70);
        scale->addWidget(edit, row, 1);
        auto* spin = new QVBoxLayout;
        spin->setSpacing(0);
        up = new QToolButton(GroupScale);
        up->setArrowType(Qt::UpArrow);
        down = new QToolButton(GroupScale);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* b : {up, down}) b->setFixedSize(16, 11);
        spin->addWidget(up);
        spin->addWidget(down);
        scale->addLayout(spin, row, 2);
    };
    addSpin(1, "Max", EditMax, SpinMaxUp, SpinMaxDown);
    addSpin(2, "Min", EditMin, SpinMinUp, SpinMinDown);
    connect(SpinMaxUp, &QToolButton::clicked, this, &TTracesDialogBase::SpinMaxUpClick);
    connect(SpinMaxDown, &QToolButton::clicked, this, &TTracesDialogBase::SpinMaxDownClick);
    connect(SpinMinUp, &QToolButton::clicked, this, &TTracesDialogBase::SpinMinUpClick);
    connect(SpinMinDown, &QToolButton::clicked, this, &TTracesDialogBase::SpinMinDownClick);
    right->addWidget(GroupScale);

    ColorGrid = new TColorGrid(this);
    right->addWidget(ColorGrid, 0, Qt::AlignHCenter);
    right->addStretch();
    BtnOk = new QPushButton("&OK", this);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton("&Cancel", this);
    connect(BtnOk, &QPushButton::clicked, this, &TTracesDialogBase::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    right->addWidget(BtnOk);
    right->addWidget(BtnCancel);
    main->addLayout(right);

    NoTrace.fill(true);
}

TTracesDialogBase::TRadioRows TTracesDialogBase::AddRadioRows(QGroupBox* group, int column)
{
    // Where the style draws the title, and so the centre of each head word inside the group.
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.rect = QRect(0, 0, 4096, 256);
    option.text = group->title();
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    const QFontMetrics metrics(group->font());
    const QString title = group->title();
    std::vector<int> centres;
    for (qsizetype at = 0; at < title.size();) {
        if (title[at].isSpace()) {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < title.size() && !title[end].isSpace()) ++end;
        centres.push_back(label.left() + metrics.horizontalAdvance(title.left(at)) +
                          metrics.horizontalAdvance(title.mid(at, end - at)) / 2);
        at = end;
    }

    // The frame spans the heading row, the trace rows and a short closing row below them; the
    // radio panels lie over it in the rows of their lists, so a row's radios are that trace's.
    constexpr int closingRow = kTraceCount + 1;
    traceRows_->addWidget(group, 0, column, closingRow + 1, 1);
    traceRows_->setRowMinimumHeight(closingRow, 4);
    TRadioRows rows;
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        auto* panel = new QWidget(this);
        panel->setObjectName(QString("Panel%1").arg(k + 1));
        auto* line = new QHBoxLayout(panel);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(0);
        rows.Groups[k] = new QButtonGroup(panel);
        int x = 0;
        for (std::size_t c = 0; c < centres.size(); ++c) {
            auto* radio = new QRadioButton(panel);
            const int width = radio->sizeHint().width();
            radio->setFixedWidth(width);
            line->addSpacing(std::max(0, centres[c] - width / 2 - x));
            line->addWidget(radio);
            x = std::max(x, centres[c] - width / 2) + width;
            rows.Groups[k]->addButton(radio, static_cast<int>(c));
            rows.Radios[k].push_back(radio);
        }
        line->addSpacing(label.left());
        line->addStretch();
        if (!rows.Radios[k].empty()) rows.Radios[k].front()->setChecked(true);
        traceRows_->addWidget(panel, static_cast<int>(k) + 1, column);
        panel->raise();
    }
    return rows;
}

void TTracesDialogBase::AddPhaseRows(int column)
{
    GroupFase = new QGroupBox("  L1    L2    L3  ", this);
    const TRadioRows rows = AddRadioRows(GroupFase, column);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        for (std::size_t p = 0; p < 3; ++p) {
            Radios[k][p] = rows.Radios[k][p];
            Radios[k][p]->setObjectName(QString("Radio%1L%2").arg(k + 1).arg(p + 1));
        }
        phaseGroups_[k] = rows.Groups[k];
    }
}

void TTracesDialogBase::EnablePhases()
{
    if (!GroupFase) return;
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        Radios[k][0]->setEnabled(!NoTrace[k]);
        Radios[k][1]->setEnabled(ThreePhase && !NoTrace[k]);
        Radios[k][2]->setEnabled(ThreePhase && !NoTrace[k]);
    }
}

void TTracesDialogBase::ShowPhases()
{
    if (!GroupFase) return;
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        const int phase = Settings.Entries[k].Phase;
        if (phase >= 0 && phase <= 2) Radios[k][static_cast<std::size_t>(phase)]->setChecked(true);
    }
}

void TTracesDialogBase::ReadPhases()
{
    if (!GroupFase) return;
    for (std::size_t k = 0; k < Radios.size(); ++k) Settings.Entries[k].Phase = std::max(0, phaseGroups_[k]->checkedId());
}

void TTracesDialogBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
    BtnOk->setFocus();
}

void TTracesDialogBase::FormActivate()
{
    ShowSettings();
    ComboChange();
    ShowPhases();
}

void TTracesDialogBase::ShowSettings()
{
    ShowTraceRows();
    for (std::size_t k = 0; k < Combos.size(); ++k) {
        Combos[k]->setCurrentIndex(Settings.Entries[k].Item < Combos[k]->count() ? Settings.Entries[k].Item : 0);
        SetListColour(static_cast<int>(k), Settings.Entries[k].Colour);
    }
    CBoxAuto->setChecked(Settings.Axis1Auto);
    CBoxAutoClick();
    EditMin->setText(FixedTwoDecimals(Settings.Axis1Min));
    EditMax->setText(FixedTwoDecimals(Settings.Axis1Max));
}

void TTracesDialogBase::ComboChange()
{
    for (std::size_t k = 0; k < Combos.size(); ++k) NoTrace[k] = Combos[k]->currentIndex() <= 0;
    EnablePhases();
}

void TTracesDialogBase::CBoxAutoClick()
{
    const bool manual = !CBoxAuto->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{EditMin, EditMax, SpinMinUp, SpinMinDown, SpinMaxUp, SpinMaxDown})
        w->setEnabled(manual);
}

void TTracesDialogBase::BtnOkClick()
{
    // Both numbers are checked before anything is taken, so a bad box leaves the settings as
    // they were and the dialog open on that box.
    float minimum = 0, maximum = 0;
    if (!TryStrToSingle(EditMin->text().toStdString(), minimum)) {
        EditMin->setFocus();
        return;
    }
    if (!TryStrToSingle(EditMax->text().toStdString(), maximum)) {
        EditMax->setFocus();
        return;
    }
    ReadPhases();
    ReadSettings(minimum, maximum);
    ResolveOffsets();
    accept();
}

void TTracesDialogBase::ReadSettings(float minimum, float maximum)
{
    for (std::size_t k = 0; k < Combos.size(); ++k) {
        Settings.Entries[k].Item = std::max(0, Combos[k]->currentIndex());
        Settings.Entries[k].Colour = listColours_[k];
    }
    Settings.Axis1Auto = CBoxAuto->isChecked();
    Settings.Axis1Min = minimum;
    Settings.Axis1Max = maximum;
}

void TTracesDialogBase::StepEdit(QLineEdit* edit, float delta)
{
    float value = 0;
    if (!TryStrToSingle(edit->text().toStdString(), value)) return;  // the box keeps its text
    edit->setText(FixedTwoDecimals(value + delta));
}

void TTracesDialogBase::SetListItems(int index, const std::vector<std::string>& names)
{
    QComboBox* combo = Combos[static_cast<std::size_t>(index)];
    combo->clear();
    for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
}

void TTracesDialogBase::SetListColour(int index, std::uint32_t colour)
{
    listColours_[static_cast<std::size_t>(index)] = colour;
    PaintListText(Combos[static_cast<std::size_t>(index)], colour);
}

void TTracesDialogBase::PaintListText(QComboBox* combo, std::uint32_t colour)
{
    QPalette palette = combo->palette();
    const QColor c(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    palette.setColor(QPalette::Text, c);
    palette.setColor(QPalette::ButtonText, c);
    combo->setPalette(palette);
}

void TTracesDialogBase::ComboDragDrop(int index)
{
    if (index < 0 || index >= kTraceCount) return;
    SetListColour(index, Palette16[static_cast<std::size_t>(ColorGrid->ForegroundIndex())]);
}

bool TTracesDialogBase::eventFilter(QObject* watched, QEvent* event)
{
    for (std::size_t k = 0; k < Combos.size(); ++k) {
        if (watched != Combos[k]) continue;
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasFormat(kColourMimeType)) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasFormat(kColourMimeType)) {
                drop->acceptProposedAction();
                ComboDragDrop(static_cast<int>(k));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
