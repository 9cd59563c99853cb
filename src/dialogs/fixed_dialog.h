// Frame shared by the program's small modal dialogs: fixed size, no help button, centred on the
// screen when shown, with the usual "&OK" (default) and "&Cancel" buttons and bold title labels.
#pragma once

#include <QDialog>

class QBoxLayout;
class QLabel;
class QVBoxLayout;
class QPushButton;

class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* parent, const QString& caption, Qt::WindowFlags extraFlags = {});

    // The dialog's layout; it keeps the dialog at the size its contents need.
    QVBoxLayout* MainLayout() const { return mainLayout; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* mainLayout;
};

struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

// Adds a right-aligned OK / Cancel row to layout; OK accepts the dialog, Cancel rejects it.
OkCancelButtons AddOkCancelButtons(QDialog* dialog, QBoxLayout* layout);

// Moves the window to the centre of the screen it is on.
void CentreOnScreen(QWidget* window);

// A label in the bold of the dialog's font, for page titles and list headings.
QLabel* BoldLabel(const QString& text, QWidget* parent);
