#pragma once

#include "SettingsError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

namespace settings {

// A collection of shared records in insertion order, optionally keyed. Keys compare without regard to
// case; a key that is already present is refused with a German error text. Indices count
// from 1. Item() gives nullptr for an index or key that is not there.
template <class T> class KeyedCollection
{
public:
    using Ptr = std::shared_ptr<T>;

    void Add(Ptr item, const QString& key = QString())
    {
        const QString k = key.toUpper();
        if (!k.isEmpty() && m_byKey.contains(k))
            throw Error(QStringLiteral("Dieser Schlüssel ist bereits einem Element dieser Auflistung "
                                       "zugeordnet (Schlüssel \"%1\").")
                            .arg(key));
        m_items.append({k, item});
        if (!k.isEmpty())
            m_byKey.insert(k, item);
    }

    Ptr Item(qsizetype index) const
    {
        return index >= 1 && index <= m_items.size() ? m_items.at(index - 1).second : nullptr;
    }
    Ptr Item(const QString& key) const { return m_byKey.value(key.toUpper()); }
    bool Contains(const QString& key) const { return m_byKey.contains(key.toUpper()); }
    qsizetype Count() const { return m_items.size(); }

    void Remove(qsizetype index)
    {
        if (index < 1 || index > m_items.size())
            return;
        m_byKey.remove(m_items.at(index - 1).first);
        m_items.removeAt(index - 1);
    }
    void Remove(const QString& key)
    {
        const QString k = key.toUpper();
        for (qsizetype i = 0; i < m_items.size(); ++i) {
            if (!k.isEmpty() && m_items.at(i).first == k)
                return Remove(i + 1);
        }
    }
    void Clear()
    {
        m_items.clear();
        m_byKey.clear();
    }

    QList<Ptr> items() const
    {
        QList<Ptr> result;
        result.reserve(m_items.size());
        for (const auto& entry : m_items)
            result.append(entry.second);
        return result;
    }

private:
    QList<std::pair<QString, Ptr>> m_items;
    QHash<QString, Ptr> m_byKey;
};

} // namespace settings
