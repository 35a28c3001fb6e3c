// Avigram's dialogs on the desktop: the native file dialog, questions and messages as message
// boxes, the input box, and the system clipboard.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/core/dialogs.h"

namespace avigram {

class QtDialogs final : public Dialogs {
public:
    // Dialogs open over `owner` (may be set later; nullptr: the active window).
    void SetOwner(QWidget* owner) { owner_ = owner; }

    std::string ShowOpen(std::string_view title, std::string_view fileName) override;
    Answer Ask(std::string_view text, QuestionButtons buttons) override;
    void ShowMessage(std::string_view text) override;
    std::string InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) override;
    ClipboardContent ReadClipboard() override;

    // The file dialog's name filter for a file name pattern such as "*CARCDATA.txt".
    static QString FilterFor(std::string_view fileName);

private:
    QWidget* Owner() const;
    QPointer<QWidget> owner_;
};

} // namespace avigram
