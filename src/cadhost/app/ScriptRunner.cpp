#include "ScriptRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <acad/Error.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/FileInput.h>

namespace cadhost {

namespace {

constexpr qint64 kMaxScriptBytes = 16 * 1024 * 1024;

} // namespace

ScriptRunner::ScriptRunner(Engine& engine, QObject* parent) : QObject(parent), m_engine(engine) {}

bool ScriptRunner::load(const QString& path, QString* error)
{
    QByteArray bytes;
    try {
        bytes = readWholeFile(
            QDir::toNativeSeparators(path), kMaxScriptBytes,
            QCoreApplication::translate("cadhost", "Die Skriptdatei „%1“ kann nicht gelesen werden: %2"));
    } catch (const acad::Error& e) {
        *error = e.description();
        return false;
    }
    m_lines = splitLines(bytes);
    m_next = 0;
    return true;
}

QStringList ScriptRunner::splitLines(const QByteArray& text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, no empty answer
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

void ScriptRunner::start()
{
    QMetaObject::invokeMethod(this, &ScriptRunner::step, Qt::QueuedConnection);
}

// One answer per turn of the event loop: the engine runs queued input when it is idle, so that an
// answer goes to the drawing that the answer before has opened or made current.
void ScriptRunner::step()
{
    if (isFinished()) {
        emit finished();
        return;
    }
    m_engine.submitInput(m_lines.at(m_next++) + QChar(13));
    QMetaObject::invokeMethod(this, &ScriptRunner::step, Qt::QueuedConnection);
}

} // namespace cadhost
