#include "CTypen.h"

#include "RowReader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <platform/MsgBox.h>

void CTypen::AddTyp(Ptr typ, const QString& key)
{
    KeyedCollection::Add(std::move(typ), key);
}

CTypen::Ptr CTypen::Add(qint32 TypenId, const QString& typ, const QString& Verzeichnis, const QString& Info,
                        const QString& key)
{
    auto record = std::make_shared<CTyp>();
    record->TypenId = TypenId;
    record->typ = typ;
    record->Verzeichnis = Verzeichnis;
    record->Info = Info;
    AddTyp(record, key);
    return record;
}

void CTypen::ReadFromDatabase(QSqlQuery& rs, acad::Host* acadApp)
{
    Clear();
    settings::fillRows(rs, [&](const QSqlRecord& row) {
        auto record = std::make_shared<CTyp>();
        record->ReadFromDatabase(row, acadApp);
        AddTyp(record, QString::number(record->TypenId));
    });
}

void CTypen::WriteToDatabase(QSqlDatabase& db) const
{
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT TypenId FROM Typen"))) {
        platform::MsgBox(rows.lastError().text(), platform::vbCritical);
        return;
    }
    while (rows.next()) {
        qint32 id = 0;
        settings::readColumn(rows.record(), QStringLiteral("TypenId"), id);
        if (const Ptr record = Item(QString::number(id)))
            record->WriteToDatabase(db);
    }
}
