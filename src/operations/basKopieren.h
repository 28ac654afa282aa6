#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <acad/Types.h>

namespace acad {
class Host;
}

// The copies of a layout, and the two services every name the user types goes through: the check
// for forbidden characters and the search for a free numbered layout name.
namespace basKopieren {

// 1 (after its own message) when the text holds one of the characters a name must not hold, is
// spaces alone, or begins or ends with a space.
qint16 CheckEingabe(const QString& text);
// The same for the start of a numbered series (the copy and rename dialogs' name field): it may end
// in a space, as its number follows; the names it gives are checked with NameProblem.
qint16 CheckSerienName(const QString& text);
// Why CheckSerienName refuses the text, without its message; "" when it does not.
QString SerienNameProblem(const QString& text);

// The names a drawing's layouts use, the model layout included, compared ignoring case.
class LayoutNames final
{
public:
    LayoutNames() = default;
    explicit LayoutNames(const acad::DocumentSnapshot& doc);

    bool contains(const QString& name) const;
    void add(const QString& name);
    void remove(const QString& name);

private:
    QSet<QString> m_upper;
};

// Why a layout name would be refused, "" when it is fine: a character the name check refuses
// (CheckEingabe, without its message), or one the CAD program refuses in layout names
// (< > / \ " : ; ? * | , = `), or more than the CAD program's 255 characters.
QString NameProblem(const QString& name);

// base with n appended in decimal, no separator; base itself for 0 where that is meant.
QString numberedName(const QString& base, qint32 n);

// The first number from counter on whose name is not taken (0 tests base alone), searching up to
// 2499 from below that limit; counter ends one past it. 0 when none is free, and then found (when
// given) is false.
qint16 FindFreeLayoutNumber(const LayoutNames& doc, const QString& base, qint16& counter,
                            bool* found = nullptr);

// The message for a count or a start number that is no whole number from 1 to 32767; "" when fine.
QString CountProblem(const QString& text);
// The count of a text that passed CountProblem.
qint16 CountOf(const QString& text);

// The names count copies of a layout get in a drawing with these layouts: with count 1 base itself
// when free, else base with the first free number from 1 (and base becomes that name); several
// copies each the next free number after the previous one. Empty, after a message, when no number
// is free: then nothing may be sent.
QStringList CopyNames(const LayoutNames& doc, QString& base, qint16 count);

// What a batch did: how many of its steps the CAD program took, and why it stopped early ("" when it
// did not).
struct BatchResult
{
    qint32 done = 0;
    QString failure;
};

// Sends one copy command per name and then makes the first one current. Stops at the first command
// the CAD program does not take; commands sent stay sent.
BatchResult CopyLayout(acad::Host& app, acad::DocId doc, const QString& source, const QStringList& names);

} // namespace basKopieren
