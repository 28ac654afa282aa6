// The details half of the view controls: the rows of a layout's and a template's properties.

#include "AcadConnection.h"
#include "LayoutContents.h"
#include "LayoutPlotReader.h"
#include "PlotTexts.h"
#include "basViewControls.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <acad/Host.h>
#include <platform/Error.h>
#include <settings/basDatenbank.h>

using explorer::kindOf;
using explorer::numberOf;
using platform::ignoringErrors;

namespace basViewControls {

namespace {

struct DetailRow
{
    const char* key;
    const char* caption;
    int icon;
};

// The fixed rows of a layout, in their order.
const std::array<DetailRow, 10>& layoutRows()
{
    static const std::array<DetailRow, 10> rows{{
        {"ILayoutname", "Layoutname", 17},
        {"IPlotter", "Plotter", 17},
        {"IPapierformat", "Papierformat", 17},
        {"IPapiergroesse", "Papiergröße", 17},
        {"IAusrichtung", "Ausrichtung", 17},
        {"IPlotstil", "Plotstiltabelle", 17},
        {"IPlotbereich", "Plotbereich", 17},
        {"IStempel", "Stempelfeld", 18},
        {"INordpfeil", "Nordpfeil", 18},
        {"ILegende", "Legende", 18},
    }};
    return rows;
}

// The rows of the product block kinds, by the index of the lookup.
const std::array<const char*, 3>& blockRows()
{
    static const std::array<const char*, 3> rows{"IStempel", "INordpfeil", "ILegende"};
    return rows;
}

const int kViewportIcon = 19;
const int kFolderIcon = 20;
const int kFileIcon = 21;

QString viewportKey(int i)
{
    return QStringLiteral("IAnsichtsfenster") + QString::number(i);
}

} // namespace

void ViewControls::addDetailRows(int viewports)
{
    for (const DetailRow& row : layoutRows())
        m_list.addItem(QString::fromLatin1(row.key), QString::fromUtf8(row.caption), 0, row.icon);
    for (int i = 1; i <= viewports; ++i)
        m_list.addItem(viewportKey(i), QString(), 0, kViewportIcon);
}

void ViewControls::setPlotRows(const acad::LayoutPlotSettings& layout)
{
    const acad::PlotSettings& plot = layout.plot;
    const auto set = [this](const char* key, const QString& value) {
        ignoringErrors([&] { m_list.setSubItem(QString::fromLatin1(key), 1, value); });
    };
    set("IPlotter", explorer::plotterText(plot.configName));
    set("IPapierformat", layout.localeMediaName);
    set("IPapiergroesse", explorer::paperSizeText(plot.paperWidth, plot.paperHeight));
    set("IAusrichtung", explorer::orientationText(plot.plotRotation));
    set("IPlotstil", explorer::plotStyleText(plot.styleSheet));
    set("IPlotbereich", explorer::plotAreaText(plot.plotType));
}

// The block names the layout shows, refined by the definitions.
void ViewControls::setBlockRows(const std::array<qint16, 3>& numbers, const std::array<QString, 3>& names)
{
    const std::array<QString, 3> shown = explorer::productBlockTexts(numbers, names, m_definitions.gBloecke);
    for (size_t kind = 0; kind < blockRows().size(); ++kind)
        ignoringErrors([&] { m_list.setSubItem(QString::fromLatin1(blockRows()[kind]), 1, shown[kind]); });
}

// Errors are ignored throughout: what cannot be read leaves its cells empty.
void ViewControls::ShowLayoutDetails()
{
    const QString remembered = rememberedKey();
    m_list.clearItems();
    ignoringErrors([&] { fillLayoutDetails(remembered); });
}

void ViewControls::fillLayoutDetails(const QString& remembered)
{
    const QString layoutKey = m_tree.selectedKey();
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    acad::DocId doc = 0;
    ignoringErrors([&] { doc = FindDocument(m_tree.parentKey(layoutKey)); });
    if (doc == 0 || !app)
        return;
    // A layout the drawing no longer has shows an empty list, without a message.
    const QString name = m_tree.text(layoutKey);
    const std::optional<explorer::LayoutPlotReader::Named> layout =
        explorer::LayoutPlotReader(*app, doc).byName(name);
    if (!layout)
        return;
    const explorer::LayoutContents contents = m_layoutContents.read(*app, doc, layout->id);
    const int viewports = int(contents.viewports.size());
    addDetailRows(viewports);
    if (m_list.keys().contains(remembered))
        m_list.setSelected(remembered, true);
    ignoringErrors([&] { m_list.setSubItem(QStringLiteral("ILayoutname"), 1, name); });
    if (layout->settings)
        setPlotRows(*layout->settings);
    setBlockRows(contents.blockNumbers, contents.blockNames);
    for (int i = 1; i <= viewports; ++i) {
        const QString key = viewportKey(i);
        ignoringErrors([&] {
            m_list.setText(key, viewports == 1 ? QStringLiteral("Ansichtsfenster")
                                               : QStringLiteral("Ansichtsfenster ") + QString::number(i));
            m_list.setSubItem(key, 1, contents.viewports[i - 1].Bezeichnung);
        });
    }
}

// Moving from one template to another keeps the two rows and changes only their values.
void ViewControls::ShowVorlageDetails()
{
    try {
        const QString path = GetVorlageGesamt(false);
        if (m_list.count() == 0) {
            m_list.addItem(QStringLiteral("IDateiname"), QStringLiteral("Dateiname"), 0, kFileIcon);
            m_list.addItem(QStringLiteral("IOrdner"), QStringLiteral("Ordner"), 0, kFolderIcon);
        }
        // The lookup has reported an empty path already; the rows keep their values.
        if (path.isEmpty())
            return;
        const QString file = m_tree.text(m_tree.selectedKey());
        m_list.setSubItem(QStringLiteral("IDateiname"), 1, file);
        m_list.setSubItem(QStringLiteral("IOrdner"), 1, path.left(qMax(0, path.size() - file.size() - 1)));
    } catch (const std::exception& error) {
        showError(error);
    }
}

} // namespace basViewControls
