// Showing Avigram's controls (app/forms/controls.h) with Qt widgets: places in twips, captions,
// visibility and colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include "app/forms/controls.h"

namespace avigram {

// Pixels at the screen's dpi.
int Pixels(int twips);
int Twips(int pixels);
// A colour of the controls: RGB as 0x00BBGGRR or a system colour (0x800000nn).
QColor ColourOf(uint32_t colour);
// Moves and sizes a widget to a placement; `origin` (pixels) is subtracted, for controls whose
// parent widget starts elsewhere than the form's client area.
void Place(QWidget* widget, const Placement& at, QPoint origin = QPoint());
// The font of the forms' controls: small, so that captions fit the places the forms give them.
QFont FormFont();
// Makes a caption fit its button: the form font, smaller where the caption is wider than the button
// (this desktop's fonts run wider than the ones the forms were laid out with).
void FitCaption(QWidget* button, const QString& caption);
// Background colour of a button or box.
void SetBackColour(QWidget* widget, uint32_t colour);

} // namespace avigram
