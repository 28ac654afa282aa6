#include "Options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace cadhost {

Options parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("cadhost", "Stellvertreter des CAD-Programms für Blattwart und Rendlo."));
    parser.addHelpOption();
    const QCommandLineOption dump(QStringLiteral("dump"),
                                  QCoreApplication::translate("cadhost",
                                                              "Gibt aus, was aus der Zeichnung gelesen "
                                                              "wird (JSON), und endet."),
                                  QCoreApplication::translate("cadhost", "Datei"));
    const QCommandLineOption script(
        QStringLiteral("b"), QCoreApplication::translate("cadhost", "Führt beim Start eine Skriptdatei aus."),
        QCoreApplication::translate("cadhost", "Skript"));
    const QCommandLineOption headless(QStringLiteral("headless"),
                                      QCoreApplication::translate("cadhost", "Läuft ohne Fenster."));
    const QCommandLineOption automation(
        QStringLiteral("automation"),
        QCoreApplication::translate("cadhost",
                                    "Von der Automation gestartet: unsichtbar, bis Visible gesetzt wird."));
    parser.addOptions({dump, script, headless, automation});
    Options o;
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        o.help = parser.helpText();
        return o;
    }
    if (!parser.positionalArguments().isEmpty()) {
        o.error = QCoreApplication::translate("cadhost", "Unbekanntes Argument: %1")
                      .arg(parser.positionalArguments().constFirst());
        return o;
    }
    o.dumpFile = parser.value(dump);
    o.script = parser.value(script);
    o.headless = parser.isSet(headless);
    o.automation = parser.isSet(automation);
    return o;
}

} // namespace cadhost
