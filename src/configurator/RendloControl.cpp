#include "RendloControl.h"

#include <acad/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

namespace {

const QString kPopupName = QStringLiteral("KV&+");

} // namespace

QString RendloControl::title()
{
    return QStringLiteral("Kvarto - AutoCAD-Konfig");
}

RendloControl::RendloControl(acad::Connector& connector, QObject* parent)
    : QObject(parent), m_connector(connector)
{
}

RendloControl::~RendloControl() = default;

void RendloControl::Activate()
{
    if (m_activated)
        return;
    m_activated = true;
    m_step = 1;
    // Each run and each button is one action: a host that does not answer costs one timeout.
    m_connector.actionScope()->beginAction();
    if (!ConnectAcad()) {
        m_ended = true;
        emit finished();
        return;
    }
    AddSupportPath();
    ShowAP_Menu();
    hideHost();
    m_ready = true;
    emit ready();
}

bool RendloControl::ConnectAcad()
{
    const bool attached = attachHost();
    if (!attached && !createHost()) {
        endMessage(QStringLiteral("AutoCAD konnte weder gefunden noch gestartet werden."));
        return false;
    }
    // From here on a host is there: a failure means it does not answer, not that none was found.
    try {
        m_activeDoc = m_acadApp->application().activeDocument;
        m_acadApp->setVisible(false);
        return true;
    } catch (const acad::Error& e) {
        m_acadApp.reset();
        platform::MsgBox(e.description(), platform::vbOKOnly, title());
        endMessage(attached ? QStringLiteral("AutoCAD wurde gefunden, antwortet aber nicht.")
                            : QStringLiteral("AutoCAD wurde gestartet, antwortet aber nicht."));
        return false;
    }
}

bool RendloControl::attachHost()
{
    try {
        m_acadApp = m_connector.attach(acad::kAcadProgId);
        return true;
    } catch (const acad::Error&) {
        return false; // not running: it is started next
    }
}

bool RendloControl::createHost()
{
    try {
        m_acadApp = m_connector.create(acad::kAcadProgId);
        return true;
    } catch (const acad::Error& e) {
        platform::MsgBox(e.description(), platform::vbOKOnly, title());
        return false;
    }
}

void RendloControl::endMessage(const QString& what)
{
    platform::MsgBox(what + QStringLiteral(" Die AutoCAD-Konfiguration wurde nicht ausgeführt."),
                     platform::vbExclamation, title());
}

void RendloControl::AddSupportPath()
{
    try {
        const QString path = m_acadApp->supportPath();
        // Appended at every run, also when the path holds the folder already.
        m_acadApp->setSupportPath(path + QLatin1Char(';') + platform::programFolder());
    } catch (const acad::Error&) {
        platform::MsgBox(QStringLiteral("Eintrag in AutoCAD-Supportpfad nicht möglich!"),
                         platform::vbExclamation, title());
    }
}

void RendloControl::ShowAP_Menu()
{
    m_menuGroup = QStringLiteral("KV+");
    m_supportFolder = QStringLiteral("Support");
    const QString file = platform::joinPath(platform::joinPath(platform::programFolder(), m_supportFolder),
                                            QStringLiteral("Kvarto.mns"));
    try {
        m_acadApp->loadMenuGroup(file, false);
        const QList<acad::MenuPopup> popups = m_acadApp->menuGroupPopups(m_menuGroup);
        for (qint32 i = 0; i < popups.size(); ++i) {
            if (popups.at(i).name == kPopupName)
                m_acadApp->insertPopupInMenuBar(m_menuGroup, i, qint32(m_acadApp->menuBar().size()));
        }
    } catch (const acad::Error&) {
        // A missing or unreadable menu, or a group without the popup: the menu step ends quietly.
    }
}

void RendloControl::cmdStart()
{
    showHostAndEnd(false);
}

void RendloControl::cmdWeiter()
{
    showHostAndEnd(true);
}

void RendloControl::closedWithoutButton()
{
    m_activated = true; // a configuration still pending does not start any more
    if (!m_ended && m_acadApp)
        showHostAndEnd(false);
    m_ended = true;
    release();
}

qint16 RendloControl::tick()
{
    const qint16 shown = m_step;
    m_step = m_step >= 11 ? 1 : qint16(m_step + 1);
    return shown;
}

void RendloControl::hideHost()
{
    try {
        m_acadApp->setVisible(false);
    } catch (const acad::Error&) {
        // The buttons show the host again; a host that has gone away shows its error there.
    }
}

void RendloControl::showHostAndEnd(bool quitHost)
{
    if (m_ended)
        return;
    m_ended = true;
    m_connector.actionScope()->beginAction();
    try {
        if (m_acadApp) {
            m_acadApp->setVisible(true);
            m_acadApp->update();
            if (quitHost)
                m_acadApp->quit();
        }
    } catch (const acad::Error& e) {
        platform::MsgBox(e.description(), platform::vbOKOnly, title());
    }
    release();
    emit finished();
}

void RendloControl::release()
{
    m_activeDoc = 0;
    m_acadApp.reset();
}
