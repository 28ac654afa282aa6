#pragma once

#include <QString>

// One value of the product's extended entity data: its type number and its text.
struct CXWert
{
    qint16 typ = 0;
    QString Wert;
};
