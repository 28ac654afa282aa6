#pragma once

#include <QString>

class QSqlRecord;

// One row of the table "Bloecke": a product block with its insertion data.
struct CBlock final
{
    qint32 blockId = 0;
    qint32 TypenId = 0; // 2 title block, 4 north arrow, 7 legend
    qint32 VorlagenId = 0;
    QString block;
    QString Bezeichnung;
    double EinfPunktX = 0;
    double EinfPunktY = 0;
    double EinfPunktZ = 0;
    double FaktorX = 0;
    double FaktorY = 0;
    double FaktorZ = 0;
    double Drehung = 0;
    QString Layer;
    qint32 objId = 0; // filled by no column

    void ReadFromDatabase(const QSqlRecord& row);
};
