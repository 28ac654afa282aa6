#include "HostCase.h"

#include "WindowTestSupport.h"

#include <QtTest>
#include <acad/ActionScope.h>
#include <acad/BusNames.h>
#include <explorer/frmMain.h>

bool HostCase::startBus()
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (!bus.start()) {
        qWarning("%s", qPrintable(bus.errorString()));
        return false;
    }
    connector = std::make_unique<acad::BusConnector>();
    return true;
}

bool HostCase::beginCase()
{
    clearUserSettings();
    boxes = std::make_unique<testsupport::MsgBoxRecorder>();
    folder = std::make_unique<QTemporaryDir>();
    if (!bus.startHost())
        return false;
    connector->actionScope()->beginAction();
    user = connector->attach(acad::kAcadProgId);
    return user != nullptr;
}

bool HostCase::startProgram(RecordingShell* shell)
{
    program = std::make_unique<basMain::Program>(*connector, shell);
    if (!program->Main())
        return false;
    window()->activateWindow();
    return QTest::qWaitForWindowActive(window());
}

bool HostCase::leaveAndReturn()
{
    if (!m_other)
        m_other = std::make_unique<QWidget>();
    m_other->show();
    m_other->activateWindow();
    if (!QTest::qWaitForWindowActive(m_other.get()))
        return false;
    if (!QTest::qWaitFor([this] { return program->ForegroundSeen == 0; }, 5000))
        return false;
    window()->activateWindow();
    return QTest::qWaitForWindowActive(window()) &&
           QTest::qWaitFor([this] { return program->ForegroundSeen == 1; }, 5000);
}

void HostCase::endCase()
{
    m_other.reset();
    if (program && program->MainForm)
        program->MainForm->close();
    program.reset();
    user.reset();
    bus.stopHost();
    const QString host = acad::bus::busNameForProgId(acad::kAcadProgId);
    bus.killOwnerOf(host);
    QTRY_VERIFY(!bus.hasOwner(host));
    QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
    QVERIFY(boxes->scriptDone());
    boxes.reset();
}

QString HostCase::sampleFile(const QString& name)
{
    return QDir(qEnvironmentVariable("BW_BIN_DIR")).filePath(QStringLiteral("Bibliothek/Vorlagen/") + name);
}

explorer::TreeControl* HostCase::tree() const
{
    return window()->tvTreeView();
}

explorer::ListControl* HostCase::list() const
{
    return window()->lvListView();
}

bool HostCase::trigger(explorer::Cmd cmd)
{
    return triggerCommand(*window(), cmd);
}

acad::DocId HostCase::docId(const QString& path)
{
    return documentOf(*user, path);
}

QStringList HostCase::layouts(const QString& path)
{
    return layoutNames(*user, path);
}
