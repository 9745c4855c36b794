#pragma once

#include <QColor>

class QAbstractSpinBox;
class QWidget;
class QLineEdit;

namespace formkit {

inline const QColor kHighlight{255, 192, 192};
inline const QColor kNormal{255, 255, 255};

// Font access: 0 the control's own bold property, 1 through its font object (date pickers);
// any other value leaves the font alone.
void Next_Focus(QWidget* control);
void Fld_GotFocus(QWidget* control, int fontAccess);
void Fld_LostFocus(QWidget* control, int fontAccess);
void Sel_All(QLineEdit* box);

// Tab and Shift+Tab leave a date or time picker at once for the next or previous field, instead
// of stepping through its day, month and year first; the arrows and typing still edit the
// section the caret is in.
void tabLeavesPicker(QAbstractSpinBox* picker);

// The background a control shows (for its look and for tests).
QColor backgroundOf(const QWidget* control);

} // namespace formkit
