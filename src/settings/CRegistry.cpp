#include "CRegistry.h"

#include <platform/FamilyKeyStore.h>

CRegistry::CRegistry() : m_keyPath(QStringLiteral("SOFTWARE\\Velmora\\Kvarto 2.1")) {}

QString CRegistry::KV_AktKonfig()
{
    return read(QStringLiteral("AktKonfig"));
}

void CRegistry::setKV_AktKonfig(const QString& value)
{
    write(QStringLiteral("AktKonfig"), value);
}

QString CRegistry::KV_DefDB()
{
    return read(QStringLiteral("DefDB"));
}

void CRegistry::setKV_DefDB(const QString& value)
{
    write(QStringLiteral("DefDB"), value);
}

QString CRegistry::KV_TempDWGs()
{
    return read(QStringLiteral("TempDWGs"));
}

void CRegistry::setKV_TempDWGs(const QString& value)
{
    write(QStringLiteral("TempDWGs"), value);
}

QString CRegistry::KV_Daten()
{
    return read(QStringLiteral("Daten"));
}

void CRegistry::setKV_Daten(const QString& value)
{
    write(QStringLiteral("Daten"), value);
}

QString CRegistry::ColFormat()
{
    return read(QStringLiteral("ColFormat"));
}

void CRegistry::setColFormat(const QString& value)
{
    write(QStringLiteral("ColFormat"), value);
}

QString CRegistry::KV_Startanzeige()
{
    return read(QStringLiteral("Startanzeige"));
}

void CRegistry::setKV_Startanzeige(const QString& value)
{
    write(QStringLiteral("Startanzeige"), value);
}

QString CRegistry::KV_LM_Beenden()
{
    return read(QStringLiteral("LM_Beenden"));
}

void CRegistry::setKV_LM_Beenden(const QString& value)
{
    write(QStringLiteral("LM_Beenden"), value);
}

QString CRegistry::read(const QString& valueName)
{
    m_valueName = valueName;
    QueryValue();
    return TrimAtNull(m_valueText);
}

void CRegistry::write(const QString& valueName, const QString& text)
{
    m_valueName = valueName;
    m_valueText = text;
    StoreValue();
}

// The value is read whole, however long it is.
void CRegistry::QueryValue()
{
    m_valueText = platform::readFamilyValue(m_keyPath, m_valueName);
}

void CRegistry::StoreValue()
{
    platform::writeFamilyValue(m_keyPath, m_valueName, m_valueText);
}

QString CRegistry::TrimAtNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}
