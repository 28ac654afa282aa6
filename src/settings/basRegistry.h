#pragma once

#include <QString>

// The module functions over CRegistry that the rest of the program uses. Each reports a failure in
// a plain message box and goes on with a safe value.
namespace basRegistry {

// "DefDB", or the program folder + "/Kvarto.mdb" when that is empty.
QString GetDefDBPfad();

// The option "Automatisch beenden": 1 when "LM_Beenden" is empty, else the leading number of its
// text rounded to a whole number (0 when the text does not begin with one).
qint16 GetLMBeenden();
void SetLMBeenden(qint16 value);

// The leading number of a text as Visual Basic's Val() reads it: leading blanks skipped, sign,
// digits, decimal point and exponent; 0 when the text does not begin with a number.
double Val(const QString& text);

} // namespace basRegistry
