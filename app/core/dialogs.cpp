// ReadClipboardText and the scripted dialogs used by tests and batch runs.
#include "app/core/dialogs.h"

#include "app/core/messages.h"

namespace avigram {

std::string ReadClipboardText(Dialogs& dialogs) {
    ClipboardContent content = dialogs.ReadClipboard();
    if (content.status == ClipboardStatus::Busy) {
        dialogs.ShowMessage(kMsgClipboardBusy);
        return {};
    }
    if (content.status != ClipboardStatus::Available) return {};
    std::string text = std::move(content.text);
    if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

std::string ScriptedDialogs::ShowOpen(std::string_view title, std::string_view fileName) {
    shown.push_back({Shown::Kind::OpenDialog, std::string(title), std::string(fileName)});
    if (openAnswers.empty()) return std::string(fileName);
    std::string answer = std::move(openAnswers.front());
    openAnswers.pop_front();
    return answer;
}

Answer ScriptedDialogs::Ask(std::string_view text, QuestionButtons buttons) {
    shown.push_back({Shown::Kind::Question, std::string(text), {}});
    if (questionAnswers.empty()) return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    Answer answer = questionAnswers.front();
    questionAnswers.pop_front();
    if (buttons == QuestionButtons::YesNo && answer == Answer::Cancel) answer = Answer::No;
    return answer;
}

void ScriptedDialogs::ShowMessage(std::string_view text) {
    shown.push_back({Shown::Kind::Message, std::string(text), {}});
    messages.emplace_back(text);
}

std::string ScriptedDialogs::InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view defaultText) {
    shown.push_back(
        {Shown::Kind::InputBox, std::string(prompt), std::string(title) + "\n" + std::string(defaultText)});
    if (inputAnswers.empty()) return {};
    std::string answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

ClipboardContent ScriptedDialogs::ReadClipboard() {
    return clipboard;
}

} // namespace avigram
