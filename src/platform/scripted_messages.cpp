// Recording, scripted message seam for tests.
#include "platform/scripted_messages.h"

#include <algorithm>

ScriptedMessages::ScriptedMessages() : previous(CurrentMessageSeam()) { SetMessageSeam(this); }

ScriptedMessages::~ScriptedMessages() { SetMessageSeam(previous); }

std::vector<std::string> ScriptedMessages::Texts() const
{
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
}

bool ScriptedMessages::Shown(const std::string& text) const
{
    return std::any_of(messages.begin(), messages.end(), [&](const ShownMessage& m) { return m.text == text; });
}

MsgButton ScriptedMessages::Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption)
{
    messages.push_back({text, type, buttons, caption});
    if (!answers.empty()) {
        MsgButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    for (unsigned b = 1; b <= MbIgnore; b <<= 1)
        if (buttons & b) return static_cast<MsgButton>(b);
    return MbOk;
}

std::optional<std::string> ScriptedMessages::OpenFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (files.empty()) return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> ScriptedMessages::SaveFile(const FileDialogRequest& request)
{
    return OpenFile(request);
}

std::optional<std::string> ScriptedMessages::ChooseFolder(const std::string&, const std::string&)
{
    if (folders.empty()) return std::nullopt;
    auto answer = folders.front();
    folders.pop_front();
    return answer;
}

std::optional<PrintChoice> ScriptedMessages::Print(const PrintRequest&)
{
    if (prints.empty()) return std::nullopt;
    auto answer = prints.front();
    prints.pop_front();
    return answer;
}

bool ScriptedMessages::PrinterSetup()
{
    ++printerSetups;
    return true;
}
