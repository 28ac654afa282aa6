#pragma once

#include <QString>

// A template file of the library, as the tree knows it.
struct CVorlage
{
    qint32 Nummer = 0;
    qint16 Vorhanden = 0;
    QString Datei;  // the file name
    QString Gesamt; // template folder/file name
};
