#pragma once
// The common look of the program: colours, type faces and their substitutes.

#include <QColor>
#include <QFont>

class QWidget;

namespace ui {

namespace colour {
inline const QColor shell{0, 192, 192};         // welcome window and main menu
inline const QColor shellButton{128, 128, 255}; // their buttons
inline const QColor calculator{0, 128, 128};    // calculator windows and frames
inline const QColor label{255, 192, 192};
inline const QColor field{255, 192, 255};
inline const QColor option{192, 255, 255};
inline const QColor button{0, 192, 192};
} // namespace colour

// The three Simplified-Chinese faces the windows name.
inline constexpr const char *faceSong = "宋体";
inline constexpr const char *faceLi = "隶书";
inline constexpr const char *faceYou = "幼圆";

// Registers the substitutes of the Chinese faces with the font system, so
// that "宋体" finds AR PL UMing and so on. Cheap: no font scan happens here.
void installFontSubstitutions();

QFont font(const char *face, double pointSize, bool bold = false);

// Gives a widget an opaque background and, optionally, a text colour.
void paint(QWidget *widget, const QColor &background, const QColor &text = QColor());

} // namespace ui

class QPushButton;

namespace ui {

// Breaks a button's caption into lines that fit its width (Chinese text may
// break between any two characters) and, if the lines are then too tall for
// the button, sets the caption in a smaller size until they fit.
void fitCaption(QPushButton *button);

} // namespace ui

class QLineEdit;

namespace ui {

// A field beside a calculator's inputs that only shows what was computed:
// read-only, in the look of the calculator windows' results (their field
// colour, bold black text).
void lookOfResult(QLineEdit *field);
// A field typed into among such results: white with plain black text, so
// that what can be edited stands apart from what was computed.
void lookOfInput(QLineEdit *field);

} // namespace ui
