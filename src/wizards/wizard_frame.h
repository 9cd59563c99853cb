// The frame every wizard is built on: a notebook of pages above "&Back", "&Next", "&Finish"
// (the default button) and "&Cancel". The frame owns the paging and the buttons' states; a
// wizard adds its pages and answers four questions: which page Next leads to, what to prepare on
// arriving there, whether the user may go on, and whether Finish may close the wizard.
//
// Buttons: on a page with a page after it Next shows, on a last page Finish; Back is enabled off
// the first page and returns to the page the user came from. Escape, the close box and Cancel
// close the wizard with Cancel.
#pragma once

#include <QDialog>
#include <vector>

class QPushButton;
class QStackedWidget;

class TWizardFrame : public QDialog {
    Q_OBJECT
public:
    // A fixed-size dialog of `clientSize`, centred on the screen when shown.
    TWizardFrame(QWidget* parent, const QString& caption, QSize clientSize);

    QStackedWidget* Tabs;
    QPushButton *BtnBack, *BtnNext, *BtnFinish, *BtnCancel;

    int CurrentPage() const;

    void BtnNextClick();
    void BtnBackClick();
    // Closes the wizard with OK when FinishWizard() accepts; otherwise it stays on its page.
    void BtnFinishClick();
    // Closes the wizard with Cancel.
    virtual void BtnCancelClick();

    // Asks CanGoForward() again for the page shown and enables Next, or Finish on a last page;
    // pages call it when what the question depends on changes.
    void UpdateForward();

protected:
    static constexpr int kNoPage = -1;

    // Adds a page (owned by the notebook) and returns its index.
    int AddPage(QWidget* page);
    // Shows the first page with its buttons; the wizard's constructor calls it once its pages
    // are added.
    void ShowFirstPage();

    // The page Next leads to from `page`; kNoPage makes `page` a last page. The next index by
    // default, up to the last page added.
    virtual int NextPage(int page) const;
    // Prepares a page reached by Next (it is shown already); nothing by default.
    virtual void PageEntered(int page);
    // Whether Next (Finish on a last page) may be pressed on `page` now; always by default.
    virtual bool CanGoForward(int page) const;
    // Finish: takes the choices over and says whether the wizard may close with OK. A refusal
    // has shown its message and keeps the wizard open where it is.
    virtual bool FinishWizard() = 0;

    void showEvent(QShowEvent* event) override;

private:
    void ShowPage(int page);
    // Focus on the buttons follows paging: a hidden Next or Finish hands it to the one shown,
    // or, while that is disabled, to the page; it never falls onto Cancel.
    bool ForwardHasFocus() const;
    void FocusForward();
    void FocusPage();
    bool IsLastPage(int page) const { return NextPage(page) == kNoPage; }
    // The pages the user came through, for Back.
    std::vector<int> path_;
};
