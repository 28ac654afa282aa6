#pragma once

#include "Blattliste.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QSortFilterProxyModel>

namespace blattliste {

// The sheets as a table: the cells' texts (with the user's decimal separator), the hints as tooltip,
// a mark on flagged rows, and sort keys that order paper sizes by size.
class BlattlisteModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The role the sort uses.
    static constexpr int SortRole = Qt::UserRole;
    // The sheet's flags (Pruefung).
    static constexpr int PruefungRole = Qt::UserRole + 1;

    explicit BlattlisteModel(QObject* parent = nullptr);

    void setBlaetter(QList<Blatt> blaetter);
    const QList<Blatt>& blaetter() const { return m_blaetter; }
    // Compares every sheet with the one at that row (Vergleiche); -1 ends the comparison.
    void vergleiche(int referenz);
    // The picture in the first cell of a flagged row.
    void setMarke(const QIcon& icon) { m_marke = icon; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant sortKey(int row, int column) const;

    QList<Blatt> m_blaetter;
    QList<QStringList> m_texts; // the cells as shown, made once per refresh
    QIcon m_marke;
};

// Sorts texts in the shared natural order ("Blatt 2" before "Blatt 10"), numbers by value; equal
// keys keep the model's order (drawing by drawing, each in tab order).
class BlattlisteProxy final : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // Only the sheets that differ from the one compared with, besides the text filter.
    void setNurAbweichende(bool only);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    bool m_nurAbweichende = false;
};

} // namespace blattliste
