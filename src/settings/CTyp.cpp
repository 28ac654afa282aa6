#include "CTyp.h"

#include "RowReader.h"
#include "basDatenbank.h"

#include <QSqlQuery>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

void CTyp::ReadFromDatabase(const QSqlRecord& row, acad::Host* acadApp)
{
    settings::readColumn(row, QStringLiteral("TypenId"), TypenId);
    settings::readColumn(row, QStringLiteral("typ"), typ);
    settings::readColumn(row, QStringLiteral("Verzeichnis"), Verzeichnis);
    settings::readColumn(row, QStringLiteral("Info"), Info);
    if (!Verzeichnis.isEmpty())
        return;
    if (TypenId == 1)
        Verzeichnis = basDatenbank::GetAcadPrefPfad(acadApp);
    if (Verzeichnis.isEmpty())
        Verzeichnis = platform::joinPath(
            platform::joinPath(platform::programFolder(), QStringLiteral("Bibliothek")), typ);
}

bool CTyp::WriteToDatabase(QSqlDatabase& db) const
{
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE Typen SET Verzeichnis = ? WHERE TypenId = ?"));
    update.addBindValue(Verzeichnis);
    update.addBindValue(TypenId);
    if (update.exec())
        return false;
    platform::MsgBox(QStringLiteral("Speicherung der Verzeichnisse nicht möglich!"), platform::vbExclamation);
    return true;
}
