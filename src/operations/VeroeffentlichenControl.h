#pragma once

#include "Veroeffentlichen.h"

#include <QObject>
#include <functional>
#include <memory>

namespace operations {

// "Veröffentlichen ..." without its widgets: the target folder, one file or one file per sheet with
// its name pattern, the files the fields would write, the checks, the question before files are
// replaced, the run over the fields and the folder handed to the desktop at the end.
class VeroeffentlichenControl final : public QObject
{
public:
    // The sheets in sheet order; the host plots them; openFolder shows a folder in the desktop's
    // file manager.
    VeroeffentlichenControl(std::shared_ptr<acad::Host> host, QList<veroeffentlichen::Blatt> blaetter,
                            std::function<void(const QString&)> openFolder, QObject* parent = nullptr);

    // The fields; Form_Load fills them as the user left them last.
    QString Ordner;
    bool EineDatei = false;
    QString Dateiname;
    QString Muster;

    void Form_Load();
    const QList<veroeffentlichen::Blatt>& blaetter() const { return m_blaetter; }
    veroeffentlichen::Auftrag auftrag() const;
    // What the fields would write: "Plan.dxf – Blatt 1 → Plan - Blatt 1.pdf" per sheet, or the one
    // file followed by its pages.
    QStringList Vorschau() const;
    // Why the fields cannot be published ("" when they can).
    QString Problem() const;
    // "&Veröffentlichen": a problem is reported, files that are there already are replaced only after
    // "Ja". True when the run may start; the fields are then kept for the next time.
    bool cmdStart();
    // The run over the fields.
    std::unique_ptr<veroeffentlichen::Lauf> NeuerLauf() const;
    // "Ordner öffnen" of the end message.
    void OrdnerOeffnen() const;

private:
    std::shared_ptr<acad::Host> m_host;
    QList<veroeffentlichen::Blatt> m_blaetter;
    std::function<void(const QString&)> m_openFolder;
};

} // namespace operations
