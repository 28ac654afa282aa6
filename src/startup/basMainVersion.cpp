#include "basMain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <help/InfoControl.h>
#include <platform/ProgramFolder.h>

namespace basMain {

QString versionRequested(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(version);
    // Unknown arguments were always ignored; they still are.
    parser.parse(arguments);
    if (!parser.isSet(version))
        return {};
    // The running program's folder is known once an application exists.
    const QCoreApplication application(argc, argv);
    const QString folder = platform::programFolder();
    const QString database = platform::joinPath(folder, QStringLiteral("Kvarto.mdb"));
    QString text =
        QStringLiteral("Blattwart %1\nProduktordner: %2").arg(InfoControl::buildVersion().toString(), folder);
    if (!QFileInfo(database).isFile())
        text += QStringLiteral(" (ohne Kvarto.mdb)");
    return text;
}

} // namespace basMain
