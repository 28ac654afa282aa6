#pragma once

#include <QString>
#include <QStringList>

namespace cadhost {

// The command line of the cadhost program.
struct Options
{
    QString dumpFile;        // --dump FILE: print what the host reads from FILE as JSON, then end
    QString script;          // -b SCRIPT: run a command script at start
    bool headless = false;   // --headless: no window; answers come from scripts and SendCommand only
    bool automation = false; // --automation: started by automation, invisible until Visible is set
    QString error;           // not empty when the command line was refused
    QString help;            // --help: the text to print, then end
};

Options parseOptions(const QStringList& arguments);

} // namespace cadhost
