#pragma once

#include <QList>
#include <QObject>
#include <QString>

// What the copy and the numbered rename dialogs do, without their widgets: the texts they open with,
// the state of "&Fertigstellen", the checks of both fields and the finish. The dialogs show the texts
// and forward their events.
namespace operations {

class NameCountControl : public QObject
{
public:
    // What "&Fertigstellen" leads to.
    enum class Outcome
    {
        Close,
        StayInName,  // the dialog stays open with the focus in the name field
        StayInCount, // the same for the count field
    };

    // One line of the preview: "old name → new name", and why the new name would fail ("" when fine).
    struct VorschauZeile
    {
        QString text;
        QString problem;
    };

    ~NameCountControl() override;

    // The texts at opening, filled by Form_Load.
    QString Dokument;
    QString Quelle;
    QString Layout;
    QString Anzahl = QStringLiteral("1");

    virtual void Form_Load() = 0;
    // "&Fertigstellen" is offered while both fields hold something.
    static bool UpdateStartButton(const QString& layout, const QString& anzahl);
    // ... and while no line of the preview is refused.
    bool StartAllowed(const QString& layout, const QString& anzahl) const;
    // Leaving the name field: false (after the message) while it holds a forbidden character, is
    // spaces alone or begins with a space.
    static bool ValidateLayout(const QString& layout);
    // The check of the name field this dialog applies; ValidateLayout unless the dialog takes a pattern.
    virtual bool ValidateName(const QString& layout) const { return ValidateLayout(layout); }
    // Leaving the count field: false (after the message) unless it holds a whole number 1..32767.
    static bool ValidateAnzahl(const QString& anzahl);
    // "&Fertigstellen": both fields are checked once more (a finish by the Enter key leaves neither),
    // then the work is done.
    Outcome cmdStart(const QString& layout, const QString& anzahl);
    // Whether the dialog shows what the fields would do, and what that is for the fields' texts.
    virtual bool HatVorschau() const { return false; }
    virtual QList<VorschauZeile> Vorschau(const QString& layout, const QString& anzahl) const;
    // Whether the dialog has a step field; its text is kept in Schritt.
    virtual bool HatSchritt() const { return false; }
    QString Schritt = QStringLiteral("1");
    // Why the preview refuses the fields' texts: its first refused line's reason, "" when none is.
    QString VorschauProblem(const QString& layout, const QString& anzahl) const;

protected:
    explicit NameCountControl(QObject* parent = nullptr);
    virtual Outcome finish(const QString& layout, qint16 count) = 0;
};

} // namespace operations
