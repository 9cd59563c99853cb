// The setup editor: its frame, a new or opened setup, saving, and the window's life.
#include "setup/setup_form.h"

#include "app/window_registry.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "setup/setup_file.h"
#include "survey/records.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
constexpr const char* kCaption = "Setup file";
constexpr const char* kSavedMessage = "Configuration parameters saved.";
constexpr const char* kSaveChangesQuestion = "Save changes to active Setup file ?";
}  // namespace

TSetupForm::TSetupForm(const TChildContext& context, QWidget* parent)
    : TChildForm(TViewKind::Setup, context, parent), setup_(DefaultSetup())
{
    setWindowTitle(kCaption);
    // Room for the captions of the longest page (power and current) in the desktop's font.
    resize(520, 380);
    PrnMemo = new QTextDocument(this);
    PageControl = new QTabWidget(this);
    PageControl->setUsesScrollButtons(true);
    BuildGeneralPage();
    BuildVoltagePage();
    BuildFrequencyPage();
    BuildUnbalancePage();
    BuildVoltageHarmonicsPage();
    BuildCurrentHarmonicsPage();
    BuildFlickerPage();
    BuildPowerPage();
    BuildRecorderPage();
    BuildSystemEventsPage();

    BtnOk = new QPushButton("&OK", this);
    BtnCancel = new QPushButton("&Cancel", this);
    BtnOk->setDefault(true);
    // Clicking a button leaves the focus in the field, so its value is checked once, by the
    // save or the close that follows.
    for (QPushButton* b : {BtnOk, BtnCancel}) b->setFocusPolicy(Qt::TabFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);
    connect(BtnOk, &QPushButton::clicked, this, &TSetupForm::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TSetupForm::BtnCancelClick);
    SetupToControls();
    PublishSetupState();
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::NewSetup(int Counter)
{
    untitled_ = true;
    path_ = "untitled";
    setWindowTitle(QString("%1 %2").arg(kCaption).arg(Counter));
    setup_ = DefaultSetup();
    SetupToControls();
    SetModified(true);
}

bool TSetupForm::LoadSetupFile(const std::string& Path)
{
    std::string error;
    std::optional<TSetupRecord> read = ReadSetupFile(Path, &error);
    if (!read) {
        ShowError(error);
        return false;
    }
    setup_ = *read;
    path_ = Path;
    untitled_ = false;
    ShowCaption();
    SetupToControls();
    SetModified(false);
    return true;
}

void TSetupForm::ShowCaption() { setWindowTitle(QString::fromStdString(std::string(kCaption) + " - " + path_)); }

void TSetupForm::SaveSetup()
{
    if (untitled_) {
        SaveSetupAs();
        return;
    }
    // A value that does not convert is never saved as 0.
    if (ControlsToSetup() != TControlsResult::Accepted) return;
    std::string error;
    if (!WriteSetupFile(path_, setup_, &error)) {
        ShowError(error);
        return;
    }
    SetModified(false);
    ShowCaption();
    ShowMessage(kSavedMessage, MsgType::Information);
}

void TSetupForm::SaveSetupAs()
{
    if (ControlsToSetup() != TControlsResult::Accepted) return;
    const FileDialogRequest request{.title = "Save Setup File As",
                                    .folder = FirstDataFolder(),
                                    .fileName = untitled_ ? "*.cfg" : ExtractFileName(path_),
                                    .filter = "Setup Files (*.cfg)|*.cfg",
                                    .defaultExt = "cfg",
                                    .mustExist = false,
                                    .askOverwrite = true};
    const std::optional<std::string> chosen = AskSaveFile(request);
    if (!chosen) return;
    LastPath().DataPathSet = true;
    LastPath().DataPath = ExtractFilePath(*chosen);
    std::string error;
    if (!WriteSetupFile(*chosen, setup_, &error)) {
        ShowError(error);
        return;
    }
    path_ = *chosen;
    untitled_ = false;
    SetModified(false);
    ShowCaption();
    ShowMessage(kSavedMessage, MsgType::Information);
}

void TSetupForm::SetModified(bool modified)
{
    modified_ = modified;
    PublishSetupState();
}

void TSetupForm::PublishSetupState()
{
    TCommandState state;
    state.Print = true;
    state.SaveSetup = modified_;
    PublishCommandState(state);
}

void TSetupForm::FormActivate() { PageControl->setCurrentIndex(0); }

void TSetupForm::showEvent(QShowEvent* event)
{
    TChildForm::showEvent(event);
    WatchActivation();
}

// The General page comes to the front each time the editor becomes the active child; the
// buttons it drives follow its published state.
void TSetupForm::WatchActivation()
{
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (watchingActivation_ || !sub) return;
    watchingActivation_ = true;
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
        if ((now & Qt::WindowActive) && !(before & Qt::WindowActive)) FormActivate();
    });
    if (sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub) FormActivate();
}

void TSetupForm::BtnOkClick()
{
    if (untitled_) SetModified(true);
    CloseWindow();
}

void TSetupForm::BtnCancelClick()
{
    modified_ = false;
    untitled_ = false;
    CloseWindow();
}

void TSetupForm::CloseWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

bool TSetupForm::CloseQuery()
{
    if (!modified_) return true;
    switch (ShowMessage(kSaveChangesQuestion, MsgType::Confirmation, MbYesNoCancel)) {
    case MbYes:
        SaveSetup();
        return !modified_;
    case MbNo: return true;
    default: return false;
    }
}

void TSetupForm::closeEvent(QCloseEvent* event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    TChildForm::closeEvent(event);
}

void RegisterSetupEditor(TWindowRegistry& registry, std::function<int()> untitledNumber)
{
    registry.RegisterDocumentWindow(TViewKind::Setup,
                                    [untitledNumber](const TChildContext& context, QWidget* parent,
                                                     const std::string& path) -> TChildForm* {
                                        auto* form = new TSetupForm(context, parent);
                                        if (path.empty()) {
                                            form->NewSetup(untitledNumber ? untitledNumber() : 1);
                                            return form;
                                        }
                                        if (form->LoadSetupFile(path)) return form;
                                        delete form;
                                        return nullptr;
                                    });
}
