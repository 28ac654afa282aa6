#include "BlattlisteModel.h"

#include <QLocale>
#include <platform/NaturalOrder.h>

namespace blattliste {

BlattlisteModel::BlattlisteModel(QObject* parent) : QAbstractTableModel(parent) {}

void BlattlisteModel::vergleiche(int referenz)
{
    Vergleiche(m_blaetter, referenz);
    if (!m_blaetter.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_blaetter.size()) - 1, SpaltenAnzahl - 1));
}

void BlattlisteModel::setBlaetter(QList<Blatt> blaetter)
{
    beginResetModel();
    m_blaetter = std::move(blaetter);
    m_texts.clear();
    m_texts.reserve(m_blaetter.size());
    const QString decimalPoint = QLocale().decimalPoint();
    for (const Blatt& blatt : m_blaetter) {
        QStringList row;
        for (int column = 0; column < SpaltenAnzahl; ++column)
            row.append(Zelle(blatt, column, decimalPoint));
        m_texts.append(row);
    }
    endResetModel();
}

int BlattlisteModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_blaetter.size());
}

int BlattlisteModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : SpaltenAnzahl;
}

// Paper sizes by their larger side, then the smaller; everything else by its text.
QVariant BlattlisteModel::sortKey(int row, int column) const
{
    if (column == Register)
        return m_blaetter[row].tabOrder;
    if (column != Papiergroesse)
        return m_texts[row][column];
    const acad::PlotSettings& plot = m_blaetter[row].plot.plot;
    return qMax(plot.paperWidth, plot.paperHeight) * 1e5 + qMin(plot.paperWidth, plot.paperHeight);
}

QVariant BlattlisteModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_blaetter.size())
        return {};
    const Blatt& blatt = m_blaetter[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return m_texts[index.row()][index.column()];
    case SortRole:
        return sortKey(index.row(), index.column());
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QStringList lines = blatt.hinweise;
        if (!blatt.abweichung.isEmpty())
            lines.append(blatt.abweichung);
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n')));
    }
    case PruefungRole:
        return blatt.pruefungen;
    case Qt::DecorationRole:
        return index.column() == Zeichnung && blatt.pruefungen != 0 ? QVariant(m_marke) : QVariant();
    default:
        return {};
    }
}

QVariant BlattlisteModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < SpaltenAnzahl)
        return Spaltentitel()[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void BlattlisteProxy::setNurAbweichende(bool only)
{
    if (only == m_nurAbweichende)
        return;
    m_nurAbweichende = only;
    invalidateFilter();
}

bool BlattlisteProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_nurAbweichende &&
        !(sourceModel()->index(sourceRow, 0, sourceParent).data(BlattlisteModel::PruefungRole).toUInt() &
          WeichtAb))
        return false;
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}

bool BlattlisteProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return platform::naturalLess(a.toString(), b.toString());
    return QSortFilterProxyModel::lessThan(left, right);
}

} // namespace blattliste
