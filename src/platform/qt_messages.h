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
