#pragma once

#include "CBlock.h"
#include "KeyedCollection.h"

class QSqlQuery;

// The product blocks, keyed by the decimal text of blockId.
class CBloecke final : public settings::KeyedCollection<CBlock>
{
public:
    using settings::KeyedCollection<CBlock>::Add;

    void AddBlock(Ptr block, const QString& key);
    Ptr Add(const QString& Bezeichnung, double FaktorX, double FaktorY, double FaktorZ, double Drehung,
            qint32 blockId, qint32 objId, qint32 VorlagenId, qint32 TypenId, const QString& block,
            double EinfPunktX, double EinfPunktY, double EinfPunktZ, const QString& Layer,
            const QString& sKey);

    // Clears and refills from every row of an executed query on "Bloecke".
    void ReadFromDatabase(QSqlQuery& rs);
};
