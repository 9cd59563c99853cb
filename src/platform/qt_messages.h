// The message seam on real Qt dialogs.
#pragma once

#include "platform/messages.h"

class QWidget;

class QtMessages : public MessageSeam {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& folder) override;
    std::optional<PrintChoice> Print(const PrintRequest& request) override;
    bool PrinterSetup() override;
    void Beep() override;

private:
    QWidget* parent_;
};

// "Setup Files (*.cfg)|*.cfg|All (*.*)|*.*" -> "Setup Files (*.cfg);;All (*.*)".
class QString;
QString QtFilterFromPairs(const std::string& filter);
// The extension one filter stands for: "Text File (*.txt)" -> "txt"; empty for "All (*.*)".
QString QtSuffixOfFilter(const QString& filterName);
// Sets a file dialog up for the request (open, or save when `save`).
class QFileDialog;
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);
