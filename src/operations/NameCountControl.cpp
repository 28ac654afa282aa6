#include "NameCountControl.h"

#include "basKopieren.h"

#include <platform/MsgBox.h>

namespace operations {

NameCountControl::NameCountControl(QObject* parent) : QObject(parent) {}

NameCountControl::~NameCountControl() = default;

QList<NameCountControl::VorschauZeile> NameCountControl::Vorschau(const QString&, const QString&) const
{
    return {};
}

bool NameCountControl::UpdateStartButton(const QString& layout, const QString& anzahl)
{
    return !layout.isEmpty() && !anzahl.isEmpty();
}

bool NameCountControl::ValidateLayout(const QString& layout)
{
    return basKopieren::CheckEingabe(layout) == 0;
}

bool NameCountControl::ValidateAnzahl(const QString& anzahl)
{
    const QString problem = basKopieren::CountProblem(anzahl);
    if (problem.isEmpty())
        return true;
    platform::MsgBox(problem, platform::vbExclamation);
    return false;
}

NameCountControl::Outcome NameCountControl::cmdStart(const QString& layout, const QString& anzahl)
{
    if (!UpdateStartButton(layout, anzahl))
        return layout.isEmpty() ? Outcome::StayInName : Outcome::StayInCount;
    if (!ValidateLayout(layout))
        return Outcome::StayInName;
    if (!ValidateAnzahl(anzahl))
        return Outcome::StayInCount;
    return finish(layout, basKopieren::CountOf(anzahl));
}

} // namespace operations
