#pragma once
// Small helpers for windows with fixed geometry: every control sits at the
// place the window's design gives it (left, top, width, height in client
// pixels), carries its name as objectName, and shares the program's fonts.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QLineEdit;
class QGroupBox;
class QWidget;

/// The dialog font: a sans-serif face at 11 pixels (8 points on a 96 dpi
/// screen), the size every fixed layout of the program is drawn for.
QFont FormFont();

/// The same face at another pixel size, optionally bold or italic.
QFont FormFont(int pixelSize, bool bold = false, bool italic = false);

/// The face of the small notes ("Arial" in the layouts; Liberation Sans has
/// the same metrics).
QFont NoteFont(int pixelSize, bool bold = false, bool italic = false);

/// A fixed-pitch face for the about box ("Courier New" in the layouts).
QFont FixedFont(int pixelSize);

/// The blue of every value label.
inline const QColor kValueColour(0, 0, 255);

/// Every control placed by these helpers gets the form font explicitly.

/// A label with its natural size at (x, y).
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int x, int y);

/// A blue value label at (x, y), wide enough for `width` pixels of text.
QLabel* PlaceValueLabel(QWidget* parent, const char* name, int x, int y, int width);

/// A push button at the given place.
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h);

/// A one-line edit field at the given place, holding at most `maxLength`
/// characters and never a control character (see KeepOneLine).
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int h, int maxLength);

/// Makes an edit field hold one line of plain text, whatever is typed,
/// pasted or set: a line break (CR LF, CR or LF) or a tab becomes one blank,
/// any other control character (below U+0020, and U+007F) is dropped. A
/// data file stores each text as one line; a line break in it would split
/// the record.
void KeepOneLine(QLineEdit* edit);

/// The text as KeepOneLine leaves it.
QString OneLineText(const QString& text);

/// A group box with a bold caption; its children keep the normal font.
QGroupBox* PlaceGroup(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h);

/// Sets colour and font weight of a label.
void SetLabelStyle(QLabel* label, const QColor& colour, bool bold);
