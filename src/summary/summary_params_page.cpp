// Parameters page of the summary wizard.
#include "summary/summary_params_page.h"

#include "analysis/limits_dlg.h"
#include "dialogs/elided_label.h"
#include "dialogs/field_exit.h"
#include "dialogs/fixed_dialog.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "survey/number_text.h"
#include "survey/records.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSummaryParamsPage::TSummaryParamsPage(QWidget* parent, TSummaryParams& params) : QWidget(parent), params_(params)
{
    EditPerc = new QLineEdit(this);
    EditPerc->setToolTip("from 90 to 100%");
    EditPerc->setMaximumWidth(80);
    LabelLimFile = new TElidedLabel(this);
    BtnLimits = new QPushButton("Set Limits...", this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Percentile (%)", this), 0, 0);
    grid->addWidget(EditPerc, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel("Limit Values File:", this), 1, 0);
    grid->addWidget(LabelLimFile, 1, 1);
    grid->addWidget(BtnLimits, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Set the summary parameters:", this));
    layout->addLayout(grid);
    layout->addStretch();
    // Enter presses Finish, which checks the percentile itself.
    CheckOnLeavingField(EditPerc, this, [this] { EditPercExit(); });
    connect(BtnLimits, &QPushButton::clicked, this, &TSummaryParamsPage::BtnLimitsClick);
}

void TSummaryParamsPage::ShowSummaryParams()
{
    EditPerc->setText(QString::number(params_.Percentile));
    ShowLimitsFileName();
}

void TSummaryParamsPage::ShowLimitsFileName()
{
    LabelLimFile->SetFullText(QString::fromStdString(DisplayText(params_.LimitsFileName)));
}

std::optional<std::uint16_t> TSummaryParamsPage::CheckedPercentile()
{
    std::uint16_t value = 0;
    bool accepted = TryStrToWord(EditPerc->text().trimmed().toStdString(), value);
    if (accepted && !SummaryPercentileValid(value)) {
        ShowError(std::string(kSummaryPercentileMessage));
        accepted = false;
    }
    if (!accepted) {
        EditPerc->setFocus();
        return std::nullopt;
    }
    return value;
}

bool TSummaryParamsPage::EditPercExit() { return CheckedPercentile().has_value(); }

void TSummaryParamsPage::BtnLimitsClick()
{
    std::string name = params_.LimitsFileName;
    TLimitsRecord limits = params_.Limits;
    if (EditLimits(window(), name, limits)) {
        // The name is stored in the summary file's short string: a longer one is refused, the
        // limits and the name stay as they were.
        if (name.size() > kShortStringCapacity) {
            ShowError(ShortStringTooLongMessage(name));
        } else {
            params_.Limits = limits;
            params_.LimitsFileName = std::move(name);
        }
    }
    ShowLimitsFileName();
}
