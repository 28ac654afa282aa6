#pragma once

#include <QString>

// Where the CAD host lives on the bus. src/cadhost/README.md ("The bus service") documents these names.
namespace acad::bus {

// "AutoCAD.Application.18" -> "de.velmora.CadHost.AutoCAD_Application_18". D-Bus name elements hold
// only [A-Za-z0-9_] and must not start with a digit, so every other character becomes "_" and an
// element that would start with a digit gets a leading "_".
QString busNameForProgId(const QString& progId);

// How long a bus call waits for the host's answer.
inline constexpr int kCallTimeoutMs = 5000;
// After how long a waiting call shows that the program is busy.
inline constexpr int kBusyAfterMs = 500;
// How long creating a host waits for its name.
inline constexpr int kStartTimeoutMs = 10000;

inline const QString kApplicationPath = QStringLiteral("/Application");
inline const QString kPreferencesPath = QStringLiteral("/Application/Preferences");
inline const QString kMenuGroupsPath = QStringLiteral("/Application/MenuGroups");
inline const QString kDocumentsPath = QStringLiteral("/Documents");
inline const QString kLayoutsPath = QStringLiteral("/Layouts");
inline const QString kEntitiesPath = QStringLiteral("/Entities");

inline const QString kApplicationInterface = QStringLiteral("de.velmora.CadHost.Application");
inline const QString kPreferencesInterface = QStringLiteral("de.velmora.CadHost.Preferences");
inline const QString kMenuGroupsInterface = QStringLiteral("de.velmora.CadHost.MenuGroups");
inline const QString kDocumentsInterface = QStringLiteral("de.velmora.CadHost.Documents");
inline const QString kLayoutsInterface = QStringLiteral("de.velmora.CadHost.Layouts");
inline const QString kEntitiesInterface = QStringLiteral("de.velmora.CadHost.Entities");

// The D-Bus error name of an automation error; its message is the German description.
inline const QString kErrorName = QStringLiteral("de.velmora.CadHost.Error");

// The flag with which a host is started by automation: it stays invisible until Visible is set.
inline const QString kAutomationFlag = QStringLiteral("--automation");

} // namespace acad::bus
