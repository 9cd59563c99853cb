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
        connect(combo, &QComboBox::activated, this, [this, k] { ComboChange(k); });
        Combos[static_cast<std::size_t>(k)] = combo;
        traceRows_->addWidget(combo, k + 1, listColumn);
    }
    left->addLayout(traceRows_);
    left->addStretch();
    main->addLayout(left);

    axisColumn_ = new QVBoxLayout;
    AxisGroups.reserve(2);
    const TAxisGroup& first = AddAxisGroup("Y Axis");
    GroupScale = first.Group;
    CBoxAuto = first.CBoxAuto;
    EditMax = first.EditMax;
    EditMin = first.EditMin;
    SpinMaxUp = first.SpinMaxUp;
    SpinMaxDown = first.SpinMaxDown;
    SpinMinUp = first.SpinMinUp;
    SpinMinDown = first.SpinMinDown;

    ColorGrid = new TColorGrid(this);
    axisColumn_->addWidget(ColorGrid, 0, Qt::AlignHCenter);
    axisColumn_->addStretch();
    BtnOk = new QPushButton("&OK", this);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton("&Cancel", this);
    connect(BtnOk, &QPushButton::clicked, this, &TTracesDialogBase::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    axisColumn_->addWidget(BtnOk);
    axisColumn_->addWidget(BtnCancel);
    main->addLayout(axisColumn_);

    NoTrace.fill(true);
}

TAxisGroup& TTracesDialogBase::AddAxisGroup(const QString& caption)
{
    if (AxisGroups.size() == 2) return AxisGroups.back();  // a dialog has two Y axes at most
    TAxisGroup g;
    g.Group = new QGroupBox(caption, this);
    auto* scale = new QGridLayout(g.Group);
    g.CBoxAuto = new QCheckBox("Auto Scale", g.Group);
    connect(g.CBoxAuto, &QCheckBox::clicked, this, &TTracesDialogBase::CBoxAutoClick);
    scale->addWidget(g.CBoxAuto, 0, 0, 1, 3);
    auto addSpin = [this, &g, scale](int row, const char* label, QLineEdit*& edit, QToolButton*& up, QToolButton*& down) {
        scale->addWidget(new QLabel(label, g.Group), row, 0);
        edit = new QLineEdit("0", g.Group);
        edit->setMaxLength(8);
        edit->setFixedWidth(70);
        scale->addWidget(edit, row, 1);
        auto* spin = new QVBoxLayout;
        spin->setSpacing(0);
        up = new QToolButton(g.Group);
        up->setArrowType(Qt::UpArrow);
        down = new QToolButton(g.Group);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* b : {up, down}) b->setFixedSize(16, 11);
        spin->addWidget(up);
        spin->addWidget(down);
        scale->addLayout(spin, row, 2);
        QLineEdit* stepped = edit;
        connect(up, &QToolButton::clicked, this, [this, stepped] { StepEdit(stepped, 1.0f); });
        connect(down, &QToolButton::clicked, this, [this, stepped] { StepEdit(stepped, -1.0f); });
    };
    addSpin(1, "Max", g.EditMax, g.SpinMaxUp, g.SpinMaxDown);
    addSpin(2, "Min", g.EditMin, g.SpinMinUp, g.SpinMinDown);
    // Below the groups made before, above the colour grid.
    axisColumn_->insertWidget(static_cast<int>(AxisGroups.size()), g.Group);
    AxisGroups.push_back(g);
    return AxisGroups.back();
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

void TTracesDialogBase::AddPhaseRows(int column, const QString& heading, std::vector<int> phases)
{
    GroupFase = new QGroupBox(heading, this);
    const TRadioRows rows = AddRadioRows(GroupFase, column);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        for (std::size_t c = 0; c < rows.Radios[k].size() && c < phases.size(); ++c) {
            const int phase = phases[c];
            QRadioButton* radio = rows.Radios[k][c];
            Radios[k][static_cast<std::size_t>(phase)] = radio;
            radio->setObjectName(phase == kThreePhase ? QString("Radio%13ph").arg(k + 1)
                                                      : QString("Radio%1L%2").arg(k + 1).arg(phase + 1));
            rows.Groups[k]->setId(radio, phase);
        }
        phaseGroups_[k] = rows.Groups[k];
    }
}

void TTracesDialogBase::CheckPhase(std::size_t row, int phase)
{
    if (phase >= 0 && phase < kPhaseKinds && Radios[row][static_cast<std::size_t>(phase)])
        Radios[row][static_cast<std::size_t>(phase)]->setChecked(true);
}

void TTracesDialogBase::EnablePhase(std::size_t row, int phase, bool enabled)
{
    if (QRadioButton* radio = Radios[row][static_cast<std::size_t>(phase)]) radio->setEnabled(enabled);
}

bool TTracesDialogBase::PhaseChecked(std::size_t row, int phase) const
{
    const QRadioButton* radio = Radios[row][static_cast<std::size_t>(phase)];
    return radio && radio->isChecked();
}

void TTracesDialogBase::EnablePhases()
{
    if (!GroupFase) return;
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        EnablePhase(k, 0, !NoTrace[k]);
        EnablePhase(k, 1, ThreePhase && !NoTrace[k]);
        EnablePhase(k, 2, ThreePhase && !NoTrace[k]);
        EnablePhase(k, kThreePhase, !NoTrace[k]);
    }
}

void TTracesDialogBase::ShowPhases()
{
    if (!GroupFase) return;
    for (std::size_t k = 0; k < Radios.size(); ++k) CheckPhase(k, Settings.Entries[k].Phase);
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

namespace {
struct TAxisFields {
    bool& Auto;
    float& Min;
    float& Max;
};
TAxisFields AxisFields(TTraceSettings& s, std::size_t axis)
{
    if (axis == 0) return {s.Axis1Auto, s.Axis1Min, s.Axis1Max};
    return {s.Axis2Auto, s.Axis2Min, s.Axis2Max};
}
}  // namespace

void TTracesDialogBase::ShowSettings()
{
    ShowTraceRows();
    for (std::size_t k = 0; k < Combos.size(); ++k) {
        Combos[k]->setCurrentIndex(Settings.Entries[k].Item < Combos[k]->count() ? Settings.Entries[k].Item : 0);
        SetListColour(static_cast<int>(k), Settings.Entries[k].Colour);
    }
    for (std::size_t a = 0; a < AxisGroups.size(); ++a) {
        const TAxisFields axis = AxisFields(Settings, a);
        AxisGroups[a].CBoxAuto->setChecked(axis.Auto);
    }
    CBoxAutoClick();
    for (std::size_t a = 0; a < AxisGroups.size(); ++a) {
        const TAxisFields axis = AxisFields(Settings, a);
        AxisGroups[a].EditMin->setText(FixedTwoDecimals(axis.Min));
        AxisGroups[a].EditMax->setText(FixedTwoDecimals(axis.Max));
    }
}

void TTracesDialogBase::ComboChange(int sender)
{
    for (std::size_t k = 0; k < Combos.size(); ++k) NoTrace[k] = Combos[k]->currentIndex() <= 0;
    EnablePhases();
    if (sender >= 0 && sender < kTraceCount) TraceChosen(sender);
}

void TTracesDialogBase::CBoxAutoClick()
{
    for (const TAxisGroup& g : AxisGroups) {
        const bool manual = !g.CBoxAuto->isChecked();
        for (QWidget* w : std::initializer_list<QWidget*>{g.EditMin, g.EditMax, g.SpinMinUp, g.SpinMinDown, g.SpinMaxUp,
                                                          g.SpinMaxDown})
            w->setEnabled(manual);
    }
}

void TTracesDialogBase::BtnOkClick()
{
    // Every number is checked before anything is taken, so a bad box leaves the settings as
    // they were and the dialog open on that box.
    std::vector<TAxisValues> axes(AxisGroups.size());
    for (std::size_t a = 0; a < AxisGroups.size(); ++a) {
        if (!TryStrToSingle(AxisGroups[a].EditMin->text().toStdString(), axes[a].Min)) {
            AxisGroups[a].EditMin->setFocus();
            return;
        }
        if (!TryStrToSingle(AxisGroups[a].EditMax->text().toStdString(), axes[a].Max)) {
            AxisGroups[a].EditMax->setFocus();
            return;
        }
    }
    ReadPhases();
    ReadSettings(axes);
    ResolveOffsets();
    accept();
}

void TTracesDialogBase::ReadSettings(const std::vector<TAxisValues>& axes)
{
    for (std::size_t k = 0; k < Combos.size(); ++k) {
        Settings.Entries[k].Item = std::max(0, Combos[k]->currentIndex());
        Settings.Entries[k].Colour = listColours_[k];
    }
    for (std::size_t a = 0; a < AxisGroups.size(); ++a) {
        const TAxisFields axis = AxisFields(Settings, a);
        axis.Auto = AxisGroups[a].CBoxAuto->isChecked();
        axis.Min = axes[a].Min;
        axis.Max = axes[a].Max;
    }
}

void TTracesDialogBase::StepEdit(QLineEdit* edit, float delta)
{
    float value = 0;
    if (!TryStrToSingle(edit->text().toStdString(), value)) return;  // the box keeps its text
    edit->setText(FixedTwoDecimals(value + delta));
}

bool TTracesDialogBase::RunModal(TTraceSettings& settings)
{
    if (exec() != QDialog::Accepted) return false;
    GetTraceSettings(settings);
    return true;
}

void TTracesDialogBase::ShowTraces(const std::vector<std::string>& names, const TTraceSettings& settings)
{
    Settings = settings;
    for (int k = 0; k < kTraceCount; ++k) SetListItems(k, names);
    FormActivate();
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
