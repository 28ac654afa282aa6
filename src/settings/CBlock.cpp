#include "CBlock.h"

#include "RowReader.h"

void CBlock::ReadFromDatabase(const QSqlRecord& row)
{
    using settings::readColumn;
    readColumn(row, QStringLiteral("blockId"), blockId);
    readColumn(row, QStringLiteral("TypenId"), TypenId);
    readColumn(row, QStringLiteral("VorlagenId"), VorlagenId);
    readColumn(row, QStringLiteral("block"), block);
    readColumn(row, QStringLiteral("Bezeichnung"), Bezeichnung);
    readColumn(row, QStringLiteral("EinfPunktX"), EinfPunktX);
    readColumn(row, QStringLiteral("EinfPunktY"), EinfPunktY);
    readColumn(row, QStringLiteral("EinfPunktZ"), EinfPunktZ);
    readColumn(row, QStringLiteral("FaktorX"), FaktorX);
    readColumn(row, QStringLiteral("FaktorY"), FaktorY);
    readColumn(row, QStringLiteral("FaktorZ"), FaktorZ);
    readColumn(row, QStringLiteral("Drehung"), Drehung);
    readColumn(row, QStringLiteral("Layer"), Layer);
}
