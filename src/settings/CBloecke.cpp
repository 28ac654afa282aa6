#include "CBloecke.h"

#include "RowReader.h"

#include <QSqlQuery>

void CBloecke::AddBlock(Ptr block, const QString& key)
{
    KeyedCollection::Add(std::move(block), key);
}

CBloecke::Ptr CBloecke::Add(const QString& Bezeichnung, double FaktorX, double FaktorY, double FaktorZ,
                            double Drehung, qint32 blockId, qint32 objId, qint32 VorlagenId, qint32 TypenId,
                            const QString& block, double EinfPunktX, double EinfPunktY, double EinfPunktZ,
                            const QString& Layer, const QString& sKey)
{
    auto record = std::make_shared<CBlock>();
    record->Bezeichnung = Bezeichnung;
    record->FaktorX = FaktorX;
    record->FaktorY = FaktorY;
    record->FaktorZ = FaktorZ;
    record->Drehung = Drehung;
    record->blockId = blockId;
    record->objId = objId;
    record->VorlagenId = VorlagenId;
    record->TypenId = TypenId;
    record->block = block;
    record->EinfPunktX = EinfPunktX;
    record->EinfPunktY = EinfPunktY;
    record->EinfPunktZ = EinfPunktZ;
    record->Layer = Layer;
    AddBlock(record, sKey);
    return record;
}

void CBloecke::ReadFromDatabase(QSqlQuery& rs)
{
    Clear();
    settings::fillRows(rs, [&](const QSqlRecord& row) {
        auto record = std::make_shared<CBlock>();
        record->ReadFromDatabase(row);
        AddBlock(record, QString::number(record->blockId));
    });
}
