#pragma once

#include <QString>
#include <QStringList>
#include <acad/Types.h>

namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer

// New layouts and the deletion of layouts, done by the product's macros inside the CAD program.
namespace basKvarto {

class Kvarto final
{
public:
    // The connection to the CAD program, the explorer's views, the window around them (for the
    // status bar) and the program folder that holds the macro project; none is owned.
    Kvarto(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
           explorer::ViewHost& host, const QString& programFolder);

    // Runs "Programm." + macro; when the CAD program does not know it, loads the macro project,
    // starts the product and runs the macro again.
    void RunProgrammMacro(const QString& macro);
    void NewLayout();
    void DeleteLayouts();

private:
    bool runProgrammMacro(const QString& macro);
    bool activateDrawing(const QString& gesamt);
    void newLayout();
    bool allLayoutsChosen() const;
    QStringList layoutNames(const QStringList& keys) const;
    void deleteLayouts();
    bool deleteLayout(const QString& key);

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
    QString m_programFolder;
};

} // namespace basKvarto
