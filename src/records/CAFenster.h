#pragma once

#include <QString>
#include <acad/Host.h>
#include <memory>

class CXData;

// One paper-space viewport of a layout.
struct CAFenster
{
    qint16 Kvarto = 0; // the product flag (type 0 of its product data)
    QString Ref;
    qint16 Uebersicht = 0; // overview flag (type 21)
    double Faktor = 0;
    double Winkel = 0;
    QString Layout;
    qint32 LayoutId = 0;
    QString Bezeichnung; // the viewport's name (type 121), later its display text
    qint32 ObjektId = 0; // the viewport's object id; set before loading

    // Loads Bezeichnung from the viewport's product data.
    void GetBezeichnung(const std::shared_ptr<acad::Host>& host, acad::DocId doc);
    // Loads Kvarto, Bezeichnung and Uebersicht; a value that is not a number stops the load and
    // clears Bezeichnung.
    void GetAfenwerte(const std::shared_ptr<acad::Host>& host, acad::DocId doc);
    // The same from the viewport's "Kvarto" data already fetched from the host.
    void GetAfenwerte(const acad::XData& fetched);

private:
    void takeAfenwerte(CXData& data);
};
