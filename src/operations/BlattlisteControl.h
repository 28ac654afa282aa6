#pragma once

#include "BlattlisteModel.h"
#include "Veroeffentlichen.h"

#include <QObject>
#include <QSortFilterProxyModel>

class CBloecke;
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer

namespace operations {

// The sheet list without its widgets: the rows read from the CAD program, the filter and the sort,
// the summary of the checks, the list as CSV and as tab-separated text, and making a sheet current.
// Rows are addressed as the view shows them (rows of proxy()).
class BlattlisteControl final : public QObject
{
    Q_OBJECT

public:
    // None is owned; the definitions name the title blocks.
    BlattlisteControl(explorer::AcadConnection& connection, const CBloecke& definitions,
                      explorer::ViewHost& host, QObject* parent = nullptr);

    // Identifies a sheet across refreshes: its drawing, then its object id or else its name.
    struct Key
    {
        QString gesamt;
        acad::ObjectId layoutId = 0;
        QString layout;
    };

    blattliste::BlattlisteModel* model() { return &m_model; }
    QSortFilterProxyModel* proxy() { return &m_proxy; }

    // Reads the sheets anew; an error of the CAD program is reported once (the drawings that could be
    // read stay listed). The filter stays.
    void Refresh();
    void setFilter(const QString& text);
    // "12 Layouts in 3 Zeichnungen, 5 markiert: …" over all sheets; the shown ones when filtered.
    QString Zusammenfassung() const;

    // The shown rows with the captions first: for German spreadsheets (";", decimal comma; the file
    // gets a byte order mark) and for the clipboard (tabs, the user's separator).
    QString Csv() const;
    QString Tsv() const;
    // Writes Csv() as UTF-8 with a byte order mark; false after a message when it cannot.
    bool ExportCsv(const QString& path) const;

    // Makes the sheet the current layout of its drawing, the drawing the active document, and brings
    // the CAD program to the front.
    void Activate(int row);

    // "weicht von … ab": only the sheets whose page setup differs from that sheet's are shown, each
    // naming the values in its hints; none ends the comparison. A refresh keeps it while the sheet
    // is there.
    void setVergleich(const std::optional<Key>& key);
    const std::optional<Key>& vergleich() const { return m_vergleich; }
    // "Plan.dxf – A1" of the sheet compared with; empty when none.
    QString vergleichName() const;

    std::optional<Key> keyOf(int row) const;
    // The sheets of the rows, as "Veröffentlichen ..." takes them; it puts them in sheet order.
    QList<veroeffentlichen::Wahl> Auswahl(const QList<int>& rows) const;
    // The row that shows the sheet; -1 when none does.
    int rowOf(const Key& key) const;

signals:
    void refreshed();

private:
    const blattliste::Blatt* blattAt(int row) const;
    QList<QStringList> shownRows(const QString& decimalPoint) const;
    void activate(const blattliste::Blatt& blatt);
    int modelRowOf(const Key& key) const;
    void vergleiche();

    explorer::AcadConnection& m_connection;
    const CBloecke& m_definitions;
    explorer::ViewHost& m_host;
    blattliste::BlattlisteModel m_model;
    blattliste::BlattlisteProxy m_proxy;
    std::optional<Key> m_vergleich;
};

} // namespace operations
