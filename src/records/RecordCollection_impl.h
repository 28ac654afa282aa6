#pragma once

// Template bodies of RecordCollection; included by RecordCollection.h only.

#include <algorithm>

template <class Record> bool RecordCollection<Record>::add(const QString& key, const Record& record)
{
    if (m_byKey.contains(key))
        return false;
    const qsizetype index = m_items.size();
    m_items.append(record);
    m_keys.append(key);
    m_identities.append(record.Gesamt.toUpper());
    m_byKey.insert(key, index);
    m_byIdentity.insert(m_identities.last(), index);
    return true;
}

template <class Record> Record* RecordCollection<Record>::item(const QString& key)
{
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.cend() ? nullptr : &m_items[*it];
}

template <class Record> const Record* RecordCollection<Record>::item(const QString& key) const
{
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.cend() ? nullptr : &m_items[*it];
}

template <class Record> QList<Record*> RecordCollection<Record>::matches(const QString& gesamt)
{
    const QString wanted = gesamt.toUpper();
    QList<Record*> found;
    for (auto it = m_byIdentity.constFind(wanted); it != m_byIdentity.cend() && it.key() == wanted; ++it)
        found.append(&m_items[*it]);
    // In collection order: the hash hands out equal keys newest first.
    std::sort(found.begin(), found.end());
    return found;
}

template <class Record> void RecordCollection<Record>::setGesamt(const QString& key, const QString& gesamt)
{
    Record* record = item(key);
    if (!record)
        return;
    const qsizetype index = m_byKey.value(key);
    m_byIdentity.remove(m_identities[index], index);
    record->Gesamt = gesamt;
    m_identities[index] = gesamt.toUpper();
    m_byIdentity.insert(m_identities[index], index);
}

template <class Record> bool RecordCollection<Record>::remove(const QString& key)
{
    const auto it = m_byKey.constFind(key);
    if (it == m_byKey.cend())
        return false;
    const qsizetype index = *it;
    m_items.removeAt(index);
    m_keys.removeAt(index);
    m_identities.removeAt(index);
    reindex();
    return true;
}

template <class Record>
qsizetype RecordCollection<Record>::removeIf(const std::function<bool(const Record&)>& pred)
{
    if (std::none_of(m_items.cbegin(), m_items.cend(), pred))
        return 0;
    QList<Record> items;
    QList<QString> keys;
    QList<QString> identities;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (pred(m_items[i]))
            continue;
        items.append(m_items[i]);
        keys.append(m_keys[i]);
        identities.append(m_identities[i]);
    }
    const qsizetype removed = m_items.size() - items.size();
    m_items = std::move(items);
    m_keys = std::move(keys);
    m_identities = std::move(identities);
    reindex();
    return removed;
}

template <class Record> void RecordCollection<Record>::clear()
{
    m_items.clear();
    m_keys.clear();
    m_identities.clear();
    m_byKey.clear();
    m_byIdentity.clear();
}

template <class Record> void RecordCollection<Record>::forEach(const std::function<void(Record&)>& visit)
{
    for (Record& record : m_items)
        visit(record);
}

template <class Record> void RecordCollection<Record>::reindex()
{
    m_byKey.clear();
    m_byIdentity.clear();
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        m_byKey.insert(m_keys[i], i);
        m_byIdentity.insert(m_identities[i], i);
    }
}
