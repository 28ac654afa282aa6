#include "CXData.h"

#include "Convert.h"

#include <acad/Error.h>
#include <platform/MsgBox.h>
#include <stdexcept>

const QString CXData::Application = QStringLiteral("Kvarto");

CXData::CXData(std::shared_ptr<acad::Host> host, acad::DocId doc) : m_host(std::move(host)), m_doc(doc) {}

qsizetype CXData::indexOf(qint16 typ) const
{
    for (qsizetype i = 0; i < m_werte.size(); ++i) {
        if (m_werte[i].typ == typ)
            return i;
    }
    return -1;
}

void CXData::GetXDataWerte()
{
    try {
        if (!m_host)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht verbunden."));
        readPairs(m_host->xdata(m_doc, objId, Application));
    } catch (const std::exception& error) {
        platform::MsgBox(platform::withDescription(QStringLiteral("Fehler beim Lesen der EED's!"), error),
                         platform::vbCritical);
    }
}

void CXData::GetXDataWerte(const acad::XData& fetched)
{
    try {
        readPairs(fetched);
    } catch (const std::exception&) {
        platform::MsgBox(QStringLiteral("Fehler beim Lesen der EED's!"), platform::vbCritical);
    }
}

// Position 0 is the application name; the rest are (type, value) pairs by position alone.
// A trailing type without its value is dropped.
void CXData::readPairs(const acad::XData& data)
{
    const QList<QVariant>& values = data.values;
    for (qsizetype i = 1; i + 1 < values.size(); i += 2) {
        const std::optional<qint16> typ = records::toInt16(values[i]);
        if (!typ)
            throw std::runtime_error("type number is not a 16-bit number");
        if (indexOf(*typ) >= 0)
            throw std::runtime_error("type number already present");
        m_werte.append(CXWert{*typ, values[i + 1].toString()});
    }
}

void CXData::GetXWertByTyp()
{
    const qsizetype index = indexOf(DataTyp);
    Wert = index < 0 ? QString() : m_werte[index].Wert;
}

void CXData::AddXWert()
{
    const qsizetype index = indexOf(DataTyp);
    if (index >= 0)
        m_werte.removeAt(index);
    const QString text = Wert.toString();
    if (!text.isEmpty())
        m_werte.append(CXWert{DataTyp, text});
}

acad::XData CXData::toXData() const
{
    acad::XData data;
    data.codes.append(1001);
    data.values.append(Application);
    for (const CXWert& wert : m_werte) {
        data.codes.append(1071);
        data.values.append(QVariant::fromValue(wert.typ));
        data.codes.append(wert.typ < 100 ? 1005 : 1000);
        data.values.append(wert.Wert);
    }
    return data;
}

void CXData::SetXDataWerte()
{
    if (m_werte.isEmpty())
        return;
    try {
        if (!m_host)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht verbunden."));
        m_host->setXData(m_doc, objId, toXData());
    } catch (const std::exception& error) {
        platform::MsgBox(platform::withDescription(QStringLiteral("Fehler beim Schreiben der EED's!"), error),
                         platform::vbCritical);
    }
}
