#pragma once

#include <QString>

// The product family's machine-wide settings, one string property per value of the family key.
// Nothing is cached: every access opens the key, reads or writes one value and closes it again, so a
// value that another program of the family changed is seen at the next read. A missing key or value
// reads as ""; a write that the store refuses is lost without a message.
class CRegistry final
{
public:
    CRegistry();

    const QString& keyPath() const { return m_keyPath; }

    QString KV_AktKonfig();
    void setKV_AktKonfig(const QString& value);
    QString KV_DefDB();
    void setKV_DefDB(const QString& value);
    QString KV_TempDWGs();
    void setKV_TempDWGs(const QString& value);
    QString KV_Daten();
    void setKV_Daten(const QString& value);
    QString ColFormat();
    void setColFormat(const QString& value);
    QString KV_Startanzeige();
    void setKV_Startanzeige(const QString& value);
    QString KV_LM_Beenden();
    void setKV_LM_Beenden(const QString& value);

private:
    QString read(const QString& valueName);
    void write(const QString& valueName, const QString& text);
    void QueryValue();
    void StoreValue();
    static QString TrimAtNull(const QString& text);

    QString m_keyPath;
    QString m_valueName;
    QString m_valueText;
};
