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

QString NameCountControl::VorschauProblem(const QString& layout, const QString& anzahl) const
{
    if (!HatVorschau())
        return {};
    for (const VorschauZeile& line : Vorschau(layout, anzahl)) {
        if (!line.problem.isEmpty())
            return line.problem;
    }
    return {};
}

bool NameCountControl::StartAllowed(const QString& layout, const QString& anzahl) const
{
    return UpdateStartButton(layout, anzahl) && VorschauProblem(layout, anzahl).isEmpty();
}

bool NameCountControl::ValidateLayout(const QString& layout)
{
    return basKopieren::CheckSerienName(layout) == 0;
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
    if (!ValidateName(layout))
        return Outcome::StayInName;
    if (!ValidateAnzahl(anzahl) || (HatSchritt() && !ValidateAnzahl(Schritt)))
        return Outcome::StayInCount;
    // A finish by the Enter key while the preview refuses a line.
    if (const QString problem = VorschauProblem(layout, anzahl); !problem.isEmpty()) {
        platform::MsgBox(problem, platform::vbExclamation);
        return Outcome::StayInName;
    }
    return finish(layout, basKopieren::CountOf(anzahl));
}

} // namespace operations
