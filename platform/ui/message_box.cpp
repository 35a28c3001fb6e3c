#include "platform/ui/message_box.h"

namespace lattix::ui {

bool IsValidMessageBoxStyle(unsigned style) {
    unsigned type = style & MB_TYPEMASK;
    unsigned icon = style & MB_ICONMASK;
    bool typeOk = type == MB_OK || type == MB_OKCANCEL || type == MB_YESNOCANCEL || type == MB_YESNO;
    bool iconOk = icon == 0 || icon == MB_ICONSTOP || icon == MB_ICONQUESTION || icon == MB_ICONEXCLAMATION ||
                  icon == MB_ICONINFORMATION;
    return typeOk && iconOk;
}

std::vector<int> MessageBoxRequest::Buttons() const {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    default:
        return {IDOK};
    }
}

int MessageBoxRequest::DefaultButton() const {
    std::vector<int> buttons = Buttons();
    std::size_t index = (style & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

MessageBoxIcon MessageBoxRequest::Icon() const {
    switch (style & MB_ICONMASK) {
    case MB_ICONSTOP:
        return MessageBoxIcon::Stop;
    case MB_ICONQUESTION:
        return MessageBoxIcon::Question;
    case MB_ICONEXCLAMATION:
        return MessageBoxIcon::Exclamation;
    case MB_ICONINFORMATION:
        return MessageBoxIcon::Information;
    default:
        return MessageBoxIcon::None;
    }
}

std::string ButtonCaption(int result) {
    switch (result) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDYES:
        return "Yes";
    case IDNO:
        return "No";
    default:
        return "";
    }
}

} // namespace lattix::ui
