// While it lives, a message shown again with the same text is dropped: one reading of a data
// file reports a bad stamp once, even when the search and the reader both meet it. A reading
// spread over many steps (a long job) keeps the texts shown in `shown` and installs a filter on
// it for each step only.
#pragma once

#include "platform/messages.h"

#include <set>
#include <string>

class TRepeatedMessageFilter : public MessageSeam {
public:
    TRepeatedMessageFilter();
    explicit TRepeatedMessageFilter(std::set<std::string>& shown);
    ~TRepeatedMessageFilter() override;
    TRepeatedMessageFilter(const TRepeatedMessageFilter&) = delete;
    TRepeatedMessageFilter& operator=(const TRepeatedMessageFilter&) = delete;

    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& r) override { return next_ ? next_->OpenFile(r) : std::nullopt; }
    std::optional<std::string> SaveFile(const FileDialogRequest& r) override { return next_ ? next_->SaveFile(r) : std::nullopt; }
    std::optional<std::string> ChooseFolder(const std::string& t, const std::string& f) override
    {
        return next_ ? next_->ChooseFolder(t, f) : std::nullopt;
    }
    std::optional<PrintChoice> Print(const PrintRequest& r) override { return next_ ? next_->Print(r) : std::nullopt; }
    bool PrinterSetup() override { return next_ && next_->PrinterSetup(); }
    void Beep() override
    {
        if (next_) next_->Beep();
    }

private:
    MessageSeam* next_;
    std::set<std::string> ownShown_;
    std::set<std::string>* shown_;
};
