// The user interactions Avigram's procedures need: the file-open dialog, questions, message
// boxes, the input box and the clipboard, as one service. The windowed program implements it with
// real dialogs; ScriptedDialogs answers from queues filled by a test or the batch front end and
// records everything it was asked to show.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace avigram {

enum class Answer { Yes, No, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel };

enum class ClipboardStatus {
    Unavailable, // there is no clipboard at all (no display): nothing to read, nothing to report
    Busy,        // another program holds it open
    Available,
};

struct ClipboardContent {
    ClipboardStatus status = ClipboardStatus::Unavailable;
    std::string text; // the text on the clipboard; may hold NULs and line ends
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Show-open file dialog: returns the dialog's file name afterwards, which is still fileName
    // when the user cancelled.
    virtual std::string ShowOpen(std::string_view title, std::string_view fileName) = 0;
    virtual Answer Ask(std::string_view text, QuestionButtons buttons) = 0;
    virtual void ShowMessage(std::string_view text) = 0;
    // Input box; Cancel gives the empty string.
    virtual std::string InputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultText) = 0;
    virtual ClipboardContent ReadClipboard() = 0;
};

// ReadClipboardText: the clipboard text up to its first NUL, trailing line ends removed. A busy
// clipboard shows "Cannot open Clipboard. Another app. may have it open" and gives "".
std::string ReadClipboardText(Dialogs& dialogs);

// Dialogs answered from queues. An empty queue answers as a user who cancels: the file dialog
// keeps its file name, a question gets Cancel (No for Yes/No), the input box gives "".
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { OpenDialog, Question, Message, InputBox };
        Kind kind;
        std::string text;  // dialog title, question, message or prompt
        std::string extra; // dialog file name, input box title and default text
    };

    std::deque<std::string> openAnswers;
    std::deque<Answer> questionAnswers;
    std::deque<std::string> inputAnswers;
    ClipboardContent clipboard;

    std::vector<std::string> messages; // every message box text, in order
    std::vector<Shown> shown;          // every interaction, in order

    std::string ShowOpen(std::string_view title, std::string_view fileName) override;
    Answer Ask(std::string_view text, QuestionButtons buttons) override;
    void ShowMessage(std::string_view text) override;
    std::string InputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText) override;
    ClipboardContent ReadClipboard() override;
};

} // namespace avigram
