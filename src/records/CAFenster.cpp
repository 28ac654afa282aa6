#include "CAFenster.h"

#include "CXData.h"
#include "Convert.h"

namespace {

QVariant valueOf(CXData& data, qint16 typ)
{
    data.DataTyp = typ;
    data.GetXWertByTyp();
    return data.Wert;
}

} // namespace

void CAFenster::GetBezeichnung(const std::shared_ptr<acad::Host>& host, acad::DocId doc)
{
    CXData data(host, doc);
    data.objId = ObjektId;
    data.GetXDataWerte();
    Bezeichnung = valueOf(data, 121).toString();
}

void CAFenster::GetAfenwerte(const std::shared_ptr<acad::Host>& host, acad::DocId doc)
{
    CXData data(host, doc);
    data.objId = ObjektId;
    data.GetXDataWerte();
    takeAfenwerte(data);
}

void CAFenster::GetAfenwerte(const acad::XData& fetched)
{
    CXData data(nullptr, 0);
    data.objId = ObjektId;
    data.GetXDataWerte(fetched);
    takeAfenwerte(data);
}

void CAFenster::takeAfenwerte(CXData& data)
{
    const std::optional<qint16> kvarto = records::toInt16(valueOf(data, 0));
    if (!kvarto) {
        Bezeichnung.clear();
        return;
    }
    Kvarto = *kvarto;
    Bezeichnung = valueOf(data, 121).toString();
    const std::optional<qint16> uebersicht = records::toInt16(valueOf(data, 21));
    if (!uebersicht) {
        Bezeichnung.clear();
        return;
    }
    Uebersicht = *uebersicht;
}
