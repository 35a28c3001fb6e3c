#include "app/qt/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "app/core/messages.h"

namespace avigram {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
} // namespace

QWidget* QtDialogs::Owner() const { return owner_ ? owner_.data() : QApplication::activeWindow(); }

QString QtDialogs::FilterFor(std::string_view fileName) {
    QString pattern = Q(fileName);
    if (!pattern.contains('*')) return QStringLiteral("All files (*)");
    return QStringLiteral("%1;;All files (*)").arg(pattern);
}

std::string QtDialogs::ShowOpen(std::string_view title, std::string_view fileName) {
    QString chosen = QFileDialog::getOpenFileName(Owner(), Q(title), QString(), FilterFor(fileName));
    // A cancelled dialog keeps its file name, as the procedures expect.
    if (chosen.isEmpty()) return std::string(fileName);
    return chosen.toStdString();
}

Answer QtDialogs::Ask(std::string_view text, QuestionButtons buttons) {
    QMessageBox box(QMessageBox::Question, Q(kMainCaption), Q(text), QMessageBox::NoButton, Owner());
    box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    if (buttons == QuestionButtons::YesNoCancel) {
        box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    if (pressed == QMessageBox::Yes) return Answer::Yes;
    if (pressed == QMessageBox::No) return Answer::No;
    return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
}

void QtDialogs::ShowMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, Q(kMainCaption), Q(text), QMessageBox::Ok, Owner());
    box.exec();
}

std::string QtDialogs::InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    bool ok = false;
    QString answer = QInputDialog::getText(Owner(), Q(title), Q(prompt), QLineEdit::Normal, Q(defaultText), &ok);
    return ok ? answer.toStdString() : std::string();
}

ClipboardContent QtDialogs::ReadClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return {};
    return ClipboardContent{ClipboardStatus::Available, clipboard->text().toStdString()};
}

} // namespace avigram
