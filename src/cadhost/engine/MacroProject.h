#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cadhost {

// A macro project of the host's own text format (the stand-in for a .dvb file):
//
//   CADHOST-MAKROPROJEKT 1
//   Projekt: Kvarto
//   Modul: Programm
//   Makro: KV_Starten
//
// The first line names the format. "Modul:" starts a module; each "Makro:" names a macro of the
// module above it. Empty lines and lines starting with ";" or "#" are comments. The macros
// themselves are built into the host; the project says which of them it provides.
struct MacroModule
{
    QString name;
    QStringList macros;
};

struct MacroProject
{
    QString file;
    QString name;
    QList<MacroModule> modules;

    // Whether the project provides module.macro (module empty: any module), without regard to case.
    bool provides(const QString& module, const QString& macro) const;
};

inline const QString kMacroProjectSignature = QStringLiteral("CADHOST-MAKROPROJEKT 1");

// Throws acad::Error naming the file and, for a bad line, its number.
MacroProject readMacroProject(const QString& file);
MacroProject parseMacroProject(const QString& text, const QString& file);

} // namespace cadhost
