// Wizard frame.
#include "wizards/wizard_frame.h"

#include "dialogs/fixed_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TWizardFrame::TWizardFrame(QWidget* parent, const QString& caption, QSize clientSize)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(caption);
    setFixedSize(clientSize);

    Tabs = new QStackedWidget(this);
    BtnBack = new QPushButton("&Back", this);
    BtnNext = new QPushButton("&Next", this);
    BtnFinish = new QPushButton("&Finish", this);
    BtnCancel = new QPushButton("&Cancel", this);
    BtnFinish->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {BtnBack, BtnNext, BtnFinish, BtnCancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Tabs, 1);
    layout->addLayout(buttons);

    connect(BtnBack, &QPushButton::clicked, this, &TWizardFrame::BtnBackClick);
    connect(BtnNext, &QPushButton::clicked, this, &TWizardFrame::BtnNextClick);
    connect(BtnFinish, &QPushButton::clicked, this, &TWizardFrame::BtnFinishClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TWizardFrame::BtnCancelClick);
}

int TWizardFrame::AddPage(QWidget* page) { return Tabs->addWidget(page); }

int TWizardFrame::CurrentPage() const { return Tabs->currentIndex(); }

int TWizardFrame::NextPage(int page) const { return page + 1 < Tabs->count() ? page + 1 : kNoPage; }

void TWizardFrame::PageEntered(int) {}

bool TWizardFrame::CanGoForward(int) const { return true; }

void TWizardFrame::ShowFirstPage()
{
    path_.clear();
    ShowPage(0);
    UpdateForward();
}

void TWizardFrame::ShowPage(int page)
{
    Tabs->setCurrentIndex(page);
    const bool last = IsLastPage(page);
    BtnBack->setEnabled(!path_.empty());
    BtnNext->setVisible(!last);
    BtnFinish->setVisible(last);
    // Whichever goes on waits for UpdateForward(); the hidden one stays disabled.
    BtnNext->setEnabled(false);
    BtnFinish->setEnabled(false);
}

void TWizardFrame::UpdateForward()
{
    const int page = CurrentPage();
    (IsLastPage(page) ? BtnFinish : BtnNext)->setEnabled(CanGoForward(page));
}

void TWizardFrame::BtnNextClick()
{
    const int from = CurrentPage();
    const int to = NextPage(from);
    if (to == kNoPage) return;
    const bool forwardHadFocus = ForwardHasFocus();
    path_.push_back(from);
    ShowPage(to);
    PageEntered(to);
    UpdateForward();
    if (forwardHadFocus) FocusForward();
}

void TWizardFrame::BtnBackClick()
{
    if (path_.empty()) return;
    const bool forwardHadFocus = ForwardHasFocus();
    const int to = path_.back();
    path_.pop_back();
    ShowPage(to);
    UpdateForward();
    if (forwardHadFocus) FocusForward();
}

bool TWizardFrame::ForwardHasFocus() const { return focusWidget() == BtnNext || focusWidget() == BtnFinish; }

void TWizardFrame::FocusForward()
{
    QPushButton* forward = IsLastPage(CurrentPage()) ? BtnFinish : BtnNext;
    if (forward->isEnabled()) forward->setFocus(Qt::OtherFocusReason);
    else FocusPage();
}

void TWizardFrame::FocusPage()
{
    QWidget* page = Tabs->currentWidget();
    for (QWidget* w = page; w == page || page->isAncestorOf(w); w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TWizardFrame::BtnFinishClick()
{
    if (FinishWizard()) accept();
}

void TWizardFrame::BtnCancelClick() { reject(); }

void TWizardFrame::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
    // The buttons come first in the focus chain (the pages are added after them), but the
    // wizard opens with the focus on its page, not on a button.
    if (!focusWidget()) FocusPage();
}
