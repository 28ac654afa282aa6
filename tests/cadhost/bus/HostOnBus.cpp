#include "HostOnBus.h"

#include "BusCalls.h"
#include "DxfTestUtil.h"

#include <QDBusConnection>
#include <QFile>
#include <acad/BusNames.h>

QString HostOnBus::start()
{
    if (!m_bus.start())
        return m_bus.errorString();
    m_connector = std::make_unique<acad::BusConnector>(QDBusConnection::sessionBus());
    if (!m_bus.startHost())
        return m_bus.errorString();
    host = m_connector->attach(acad::kAcadProgId);
    return {};
}

bool HostOnBus::running()
{
    return m_bus.host().state() == QProcess::Running;
}

QString HostOnBus::closeAll()
{
    if (!running())
        return QStringLiteral("the host has gone");
    return bustest::errorOf([this] {
        for (const acad::DocumentRef& doc : host->application().documents)
            host->closeDocument(doc.id, false);
    });
}

acad::DocId HostOnBus::openCopy(const QString& sample, const QString& name)
{
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QFile::copy(dxftest::samplePath(sample), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return host->openDocument(path);
}
