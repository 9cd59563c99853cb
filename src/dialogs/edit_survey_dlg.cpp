// "Modify Survey Information" dialog.
#include "dialogs/edit_survey_dlg.h"

#include "platform/messages.h"
#include "platform/text_encoding.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kInfoTextLength = 60;

QLineEdit* InfoEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kInfoTextLength);
    edit->setMinimumWidth(320);
    return edit;
}

void AddRow(QFormLayout* form, const QString& caption, QLineEdit* edit)
{
    auto* label = new QLabel(caption, edit->parentWidget());
    label->setBuddy(edit);
    form->addRow(label, edit);
}

QString ShownText(const std::string& bytes)
{
    return QString::fromStdString(DisplayText(bytes));
}
}  // namespace

TEditSurveyDlg::TEditSurveyDlg(QWidget* parent) : FixedDialog(parent, "Modify Survey Information")
{
    EditDescr = InfoEdit(this);
    EditSite = InfoEdit(this);
    EditOperator = InfoEdit(this);
    auto* form = new QFormLayout;
    AddRow(form, "Description", EditDescr);
    AddRow(form, "Site", EditSite);
    AddRow(form, "Operator", EditOperator);
    MainLayout()->addLayout(form);

    auto buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;
}

void TEditSurveyDlg::SetSurveyInfo(const std::string& Description, const std::string& Site,
                                   const std::string& Operator)
{
    EditDescr->setText(ShownText(Description));
    EditSite->setText(ShownText(Site));
    EditOperator->setText(ShownText(Operator));
}

void TEditSurveyDlg::StoreSurveyInfo(SurveyLines& Lines) const
{
    ::StoreSurveyInfo(Lines, TSurveyInfo{EditDescr->text().toStdString(), EditSite->text().toStdString(),
                                         EditOperator->text().toStdString()});
}

bool EditSurveyInfo(QWidget* parent, const std::string& surveyPath, SurveyLines& lines)
{
    TEditSurveyDlg dialog(parent);
    const TSurveyInfo info = ReadSurveyInfo(lines);
    dialog.SetSurveyInfo(info.Description, info.Site, info.Operator);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.StoreSurveyInfo(lines);
    if (!SaveSurveyLines(surveyPath, lines)) ShowError(std::string(kSurveySaveFailedMessage) + surveyPath + ".");
    return true;
}
