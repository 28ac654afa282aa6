#pragma once

#include <QObject>
#include <QStringList>

namespace cadhost {

class Engine;

// Runs a command script as the CAD program runs its script files: each line is one answer to the
// command line, given when the engine has worked off the one before.
class ScriptRunner final : public QObject
{
    Q_OBJECT

public:
    explicit ScriptRunner(Engine& engine, QObject* parent = nullptr);

    // Reads the script (UTF-8); the error text names the file when it cannot be read.
    bool load(const QString& path, QString* error);
    void start();
    bool isFinished() const { return m_next >= m_lines.size(); }

    static QStringList splitLines(const QByteArray& text);

signals:
    void finished();

private:
    void step();

    Engine& m_engine;
    QStringList m_lines;
    qsizetype m_next = 0;
};

} // namespace cadhost
