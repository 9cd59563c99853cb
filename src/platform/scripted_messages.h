// A message seam for tests: records every message and dialog, answers from scripted queues.
// Unscripted message boxes answer with their first button; unscripted dialogs are cancelled.
#pragma once

#include "platform/messages.h"

#include <deque>
#include <vector>

struct ShownMessage {
    std::string text;
    MsgType type;
    unsigned buttons;
    std::string caption;
};

class ScriptedMessages : public MessageSeam {
public:
    // Installs itself for its lifetime, restoring the seam it replaced.
    ScriptedMessages();
    ~ScriptedMessages() override;

    void AnswerNext(MsgButton answer) { answers.push_back(answer); }
    void PickFile(const std::string& path) { files.push_back(path); }
    void CancelFileDialog() { files.push_back(std::nullopt); }
    void PickFolder(const std::string& path) { folders.push_back(path); }
    void PrintTo(const PrintChoice& choice) { prints.push_back(choice); }

    // Texts shown so far, in order.
    std::vector<std::string> Texts() const;
    bool Shown(const std::string& text) const;
    void Clear() { messages.clear(); fileRequests.clear(); }

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    int beeps = 0;
    int printerSetups = 0;

    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& folder) override;
    std::optional<PrintChoice> Print(const PrintRequest& request) override;
    bool PrinterSetup() override;
    void Beep() override { ++beeps; }

private:
    std::deque<MsgButton> answers;
    std::deque<std::optional<std::string>> files;
    std::deque<std::string> folders;
    std::deque<PrintChoice> prints;
    MessageSeam* previous;
};
