#include "VeroeffentlichenControl.h"

#include <explorer/ViewSettings.h>
#include <platform/MsgBox.h>

namespace viewsettings = explorer::viewsettings;
using namespace veroeffentlichen;

namespace operations {

VeroeffentlichenControl::VeroeffentlichenControl(std::shared_ptr<acad::Host> host, QList<Blatt> blaetter,
                                                 std::function<void(const QString&)> openFolder,
                                                 QObject* parent)
    : QObject(parent), m_host(std::move(host)), m_blaetter(std::move(blaetter)),
      m_openFolder(std::move(openFolder))
{
}

void VeroeffentlichenControl::Form_Load()
{
    Ordner = viewsettings::publishText(viewsettings::Key::PublishFolder);
    EineDatei = viewsettings::publishOneFile();
    Dateiname = viewsettings::publishText(viewsettings::Key::PublishFileName);
    Muster = viewsettings::publishText(viewsettings::Key::PublishPattern);
}

Auftrag VeroeffentlichenControl::auftrag() const
{
    return {Ordner.trimmed(), EineDatei, Dateiname, Muster};
}

QStringList VeroeffentlichenControl::Vorschau() const
{
    const QStringList dateien = Zieldateien(auftrag(), m_blaetter);
    QStringList zeilen;
    if (EineDatei) {
        zeilen.append(dateien.value(0));
        for (int i = 0; i < m_blaetter.size(); ++i)
            zeilen.append(QStringLiteral("    Seite %1: %2").arg(i + 1).arg(Bezeichnung(m_blaetter[i])));
        return zeilen;
    }
    for (int i = 0; i < m_blaetter.size(); ++i)
        zeilen.append(QStringLiteral("%1 → %2").arg(Bezeichnung(m_blaetter[i]), dateien[i]));
    return zeilen;
}

QString VeroeffentlichenControl::Problem() const
{
    return Pruefe(auftrag(), m_blaetter);
}

bool VeroeffentlichenControl::cmdStart()
{
    if (const QString problem = Problem(); !problem.isEmpty()) {
        platform::MsgBox(problem, platform::vbExclamation);
        return false;
    }
    const QStringList vorhanden = VorhandeneDateien(auftrag(), m_blaetter);
    const int frage = platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2;
    if (!vorhanden.isEmpty() && platform::MsgBox(ErsetzenFrage(vorhanden), frage) != platform::vbYes)
        return false;
    viewsettings::setPublishText(viewsettings::Key::PublishFolder, Ordner.trimmed());
    viewsettings::setPublishOneFile(EineDatei);
    viewsettings::setPublishText(viewsettings::Key::PublishFileName, Dateiname);
    viewsettings::setPublishText(viewsettings::Key::PublishPattern, Muster);
    return true;
}

std::unique_ptr<Lauf> VeroeffentlichenControl::NeuerLauf() const
{
    return std::make_unique<Lauf>(*m_host, auftrag(), m_blaetter);
}

void VeroeffentlichenControl::OrdnerOeffnen() const
{
    if (m_openFolder)
        m_openFolder(Ordner.trimmed());
}

} // namespace operations
