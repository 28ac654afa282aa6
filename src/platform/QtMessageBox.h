#pragma once

#include "MsgBox.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace platform {

// Shows MsgBox() with QMessageBox and German button texts. Call once after the QApplication exists;
// it loads Qt's German translations ("qtbase_de") so that the buttons read "Ja", "Nein", "OK".
void installQtMessageBox();

// The box for a style, built but not shown.
std::unique_ptr<QMessageBox> createMessageBox(const QString& text, int style, const QString& title,
                                              QWidget* parent = nullptr);

// The answer for what the user did with a box built by createMessageBox().
MsgBoxResult answerOf(const QMessageBox& box, int style);

} // namespace platform
