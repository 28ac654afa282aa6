#pragma once

#include "MsgBox.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace platform {

// While it lives, MsgBox() shows a QMessageBox with German button texts: it loads Qt's German
// translations ("qtbase_de") so that the buttons read "Ja", "Nein", "OK". The program's main()
// creates one after the QApplication and keeps it to the end.
class QtMessageBoxes final
{
public:
    QtMessageBoxes();
    ~QtMessageBoxes();
    QtMessageBoxes(const QtMessageBoxes&) = delete;
    QtMessageBoxes& operator=(const QtMessageBoxes&) = delete;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// The box for a style, built but not shown.
std::unique_ptr<QMessageBox> createMessageBox(const QString& text, int style, const QString& title,
                                              QWidget* parent = nullptr);

// The answer for what the user did with a box built by createMessageBox().
MsgBoxResult answerOf(const QMessageBox& box, int style);

} // namespace platform
