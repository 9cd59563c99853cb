// "Date Selection" date picker.
#include "dialogs/br_date_form.h"

#include "platform/date_format.h"

#include <QCalendarWidget>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TBrDateForm* BrDateForm = nullptr;

namespace {
QString ShortDateFormat()
{
    return QString::fromStdString(RunDateFormats().shortDate);
}
}  // namespace

TBrDateForm::TBrDateForm(QWidget* parent) : FixedDialog(parent, "Date Selection")
{
    PrevMonthBtn = new QToolButton(this);
    PrevMonthBtn->setArrowType(Qt::LeftArrow);
    PrevMonthBtn->setAutoRaise(true);
    NextMonthBtn = new QToolButton(this);
    NextMonthBtn->setArrowType(Qt::RightArrow);
    NextMonthBtn->setAutoRaise(true);
    TitleLabel = BoldLabel(QString(), this);
    TitleLabel->setAlignment(Qt::AlignCenter);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(PrevMonthBtn);
    titleRow->addWidget(TitleLabel, 1);
    titleRow->addWidget(NextMonthBtn);
    MainLayout()->addLayout(titleRow);

    // The month and year are shown by TitleLabel with the two buttons beside it, so the
    // calendar's own navigation bar is hidden.
    Calendar1 = new QCalendarWidget(this);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar1->setGridVisible(true);
    MainLayout()->addWidget(Calendar1);

    auto buttons = AddOkCancelButtons(this, MainLayout());
    BtnOk = buttons.ok;
    BtnCancel = buttons.cancel;

    connect(PrevMonthBtn, &QToolButton::clicked, this, &TBrDateForm::PrevMonthBtnClick);
    connect(NextMonthBtn, &QToolButton::clicked, this, &TBrDateForm::NextMonthBtnClick);
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, &TBrDateForm::Calendar1Change);
    connect(Calendar1, &QCalendarWidget::currentPageChanged, this, &TBrDateForm::CalendarPageChange);
    // Enter or a double click on a day chooses it, as OK does.
    connect(Calendar1, &QCalendarWidget::activated, this, &QDialog::accept);

    SetCalendarDate(QDate::currentDate());
}

void TBrDateForm::SetCalendarDate(const QDate& date)
{
    Calendar1->setSelectedDate(date);
    Calendar1->setCurrentPage(date.year(), date.month());
    Calendar1Change();
}

QDate TBrDateForm::GetCalendarDate() const
{
    return Calendar1->selectedDate();
}

bool TBrDateForm::PickDateInto(QLineEdit* field)
{
    QDate date = QDate::fromString(field->text().trimmed(), ShortDateFormat());
    SetCalendarDate(date.isValid() ? date : QDate::currentDate());
    if (exec() != QDialog::Accepted) return false;
    field->setText(GetCalendarDate().toString(ShortDateFormat()));
    return true;
}

void TBrDateForm::PrevMonthBtnClick()
{
    SetCalendarDate(GetCalendarDate().addMonths(-1));
}

void TBrDateForm::NextMonthBtnClick()
{
    SetCalendarDate(GetCalendarDate().addMonths(1));
}

void TBrDateForm::Calendar1Change()
{
    TitleLabel->setText(QLocale().toString(GetCalendarDate(), "MMMM, yyyy"));
}

// The calendar keeps one date: when its page turns (keyboard paging), the date follows to the
// same day of the new month, so the title and the grid never disagree.
void TBrDateForm::CalendarPageChange(int year, int month)
{
    const QDate date = GetCalendarDate();
    if (date.year() == year && date.month() == month) return;
    const QDate first(year, month, 1);
    Calendar1->setSelectedDate(QDate(year, month, std::min(date.day(), first.daysInMonth())));
}
