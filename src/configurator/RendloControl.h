#pragma once

#include <QObject>
#include <acad/Connector.h>
#include <memory>

// What frmRendlo does, without its widgets: attach to or start the CAD host, append the program
// folder to its support path, load the product menu and put its popups at the end of the menu bar,
// and the two ways to end. frmRendlo shows the state and forwards its buttons and timer.
class RendloControl final : public QObject
{
    Q_OBJECT

public:
    // The program's title: the caption of its message boxes.
    static QString title();

    explicit RendloControl(acad::Connector& connector, QObject* parent = nullptr);
    ~RendloControl() override;

    // The whole configuration, run once at the first activation of the window. Emits ready() when it
    // ran, or finished() after the messages when no CAD host could be reached.
    void Activate();

    // The configuration's steps. ConnectAcad is false, after the error's description and a message
    // that says which step failed, when the host can neither be attached nor started, or when the
    // host that was attached or started does not answer.
    bool ConnectAcad();
    void AddSupportPath();
    void ShowAP_Menu();

    // "&AutoCAD starten": show the host and end; the host keeps running.
    void cmdStart();
    // "&Beenden": show the host, quit it, and end.
    void cmdWeiter();
    // The window was closed without a button: the host must not stay hidden.
    void closedWithoutButton();

    // The progress display's step counter, 1 to 11: returns the step to show and advances.
    qint16 tick();

    bool isReady() const { return m_ready; }
    acad::Host* host() const { return m_acadApp.get(); }
    acad::DocId activeDocument() const { return m_activeDoc; }

signals:
    // The configuration has run: hide "Bitte warten ..." and enable both buttons.
    void ready();
    // Rendlo ends.
    void finished();

private:
    bool attachHost();
    bool createHost();
    void endMessage(const QString& what);
    void hideHost();
    void showHostAndEnd(bool quitHost);
    void release();

    acad::Connector& m_connector;
    std::shared_ptr<acad::Host> m_acadApp;
    acad::DocId m_activeDoc = 0;
    QString m_menuGroup;
    QString m_supportFolder;
    qint16 m_step = 1;
    bool m_activated = false;
    bool m_ready = false;
    bool m_ended = false;
};
