#pragma once

#include "CXWert.h"

#include <QList>
#include <QVariant>
#include <acad/Host.h>
#include <memory>

// The product's extended entity data ("Kvarto") of one object in a drawing, as (type, text) pairs,
// one pair per type number, in the order read or added.
class CXData final
{
public:
    // The object is looked up in doc of host (the active document of the connection).
    CXData(std::shared_ptr<acad::Host> host, acad::DocId doc);

    qint32 objId = 0;
    qint16 DataTyp = 0; // the type GetXWertByTyp and AddXWert work on
    QVariant Wert;      // what GetXWertByTyp delivers and AddXWert stores

    // Appends the object's pairs; shows "Fehler beim Lesen der EED's!" on failure, keeping the pairs
    // read before it.
    void GetXDataWerte();
    // The same for data already fetched from the host (several objects' data in one call).
    void GetXDataWerte(const acad::XData& fetched);
    // Wert = the text of the pair of type DataTyp, or "" when there is none.
    void GetXWertByTyp();
    // Replaces the pair of type DataTyp by Wert; an empty Wert just removes it.
    void AddXWert();
    // Writes the pairs as the object's "Kvarto" data; nothing when there are none.
    void SetXDataWerte();

    const QList<CXWert>& werte() const { return m_werte; }
    int count() const { return int(m_werte.size()); }

    static const QString Application; // "Kvarto"

private:
    qsizetype indexOf(qint16 typ) const;
    void readPairs(const acad::XData& data);
    acad::XData toXData() const;

    std::shared_ptr<acad::Host> m_host;
    acad::DocId m_doc;
    QList<CXWert> m_werte;
};
