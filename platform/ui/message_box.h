// Message box styles, results and the request a backend shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/types.h"

namespace lattix::ui {

// Button sets.
inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_OKCANCEL = 0x0001;
inline constexpr unsigned MB_YESNOCANCEL = 0x0003;
inline constexpr unsigned MB_YESNO = 0x0004;
inline constexpr unsigned MB_TYPEMASK = 0x000F;
// Icons.
inline constexpr unsigned MB_ICONSTOP = 0x0010;
inline constexpr unsigned MB_ICONERROR = 0x0010;
inline constexpr unsigned MB_ICONHAND = 0x0010;
inline constexpr unsigned MB_ICONQUESTION = 0x0020;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
inline constexpr unsigned MB_ICONWARNING = 0x0030;
inline constexpr unsigned MB_ICONINFORMATION = 0x0040;
inline constexpr unsigned MB_ICONMASK = 0x00F0;
// Default button.
inline constexpr unsigned MB_DEFBUTTON1 = 0x0000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x0100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x0200;
inline constexpr unsigned MB_DEFMASK = 0x0F00;

// Results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

enum class MessageBoxIcon { None, Stop, Question, Exclamation, Information };

struct MessageBoxRequest {
    Hwnd owner = 0;
    std::string text;
    std::string caption;
    unsigned style = MB_OK;

    // The buttons in the order shown, as result codes.
    std::vector<int> Buttons() const;
    int DefaultButton() const;
    MessageBoxIcon Icon() const;
};

// The caption of a result's button ("OK", "Cancel", "Yes", "No"), "" for an unknown code.
std::string ButtonCaption(int result);
// True when the style names a supported button set.
bool IsValidMessageBoxStyle(unsigned style);

} // namespace lattix::ui
