// The look the program's dialogs share: caption "Huebird", always on top, a fixed size, the
// white header band with a bold title and one explanatory line, buttons of 50 x 21, and the
// footer link to the web site.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QDialog;
class QLabel;
class QToolButton;
class QWidget;

namespace huebird {

inline constexpr int kDialogHeaderHeight = 41;

// The dialogs' font: "宋体" at 12 pixels.
QFont DialogFont();
// Caption, flags (system menu, minimise and close boxes, always on top), fixed client size
// and the dialog font ("宋体" at 12 pixels).
void ApplyDialogLook(QDialog* dialog, int width, int height);
// The header band across the top of a dialog or window, as wide as it is now, with its
// sunken lower edge (Panel1Edge) below it; returns the band (Panel1). The explanatory line is
// indented under the title, less where it would come too close to the right edge.
QWidget* AddDialogHeader(QWidget* dialog, const QString& title, const QString& line);
// A button with its layout name at (x, y), 50 x 21.
QToolButton* AddDialogButton(QWidget* dialog, const char* name, const QString& text, int x, int y);
// Makes `ok` the dialog's default button: Enter or Return pressed anywhere in the dialog presses
// it, unless the key has a meaning where it is pressed (a line break in a text box) or a button
// of the dialog has the focus, which is then pressed instead.
void SetDefaultButton(QDialog* dialog, QToolButton* ok);
// The footer link Label9 at (x, y): a blue text with a hand cursor; a left click inside it
// calls `open`.
QLabel* AddFooterLink(QWidget* dialog, int x, int y, std::function<void()> open);
// The sunken line across the dialog above its buttons (Bevel1), at height y.
void AddDialogSeparator(QWidget* dialog, int y);

}  // namespace huebird
