#pragma once

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QString>
#include <functional>

// A keyed collection of records in the order added, keyed by the decimal text of the record's
// number. Besides the key it keeps an index by identity (Gesamt, upper-cased) so that finding every
// record of one identity costs no walk through the whole collection.
template <class Record> class RecordCollection final
{
public:
    using const_iterator = typename QList<Record>::const_iterator;

    // Appends the record under key; a key already used is refused (returns false).
    bool add(const QString& key, const Record& record);
    bool contains(const QString& key) const { return m_byKey.contains(key); }
    // nullptr when there is no record under key. Change Gesamt only through setGesamt.
    Record* item(const QString& key);
    const Record* item(const QString& key) const;
    // Every record whose Gesamt equals gesamt ignoring case, in collection order.
    QList<Record*> matches(const QString& gesamt);
    void setGesamt(const QString& key, const QString& gesamt);
    bool remove(const QString& key);
    // Removes every record for which pred holds, in one pass; returns how many went.
    qsizetype removeIf(const std::function<bool(const Record&)>& pred);
    void clear();
    qsizetype count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }

    const_iterator begin() const { return m_items.cbegin(); }
    const_iterator end() const { return m_items.cend(); }
    // Visits every record in order, for changes other than of Gesamt.
    void forEach(const std::function<void(Record&)>& visit);

private:
    void reindex();

    QList<Record> m_items;
    QList<QString> m_keys;
    QList<QString> m_identities; // Gesamt upper-cased, beside each record
    QHash<QString, qsizetype> m_byKey;
    QMultiHash<QString, qsizetype> m_byIdentity;
};

#include "RecordCollection_impl.h"
