#pragma once

#include <QObject>

// One Blattwart per user session: the first instance owns a bus name of its own and exports a method
// that restores and raises its main window; a later start calls that method and ends.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.Blattwart.MainWindow")

public:
    static const QString kServiceName;
    static const QString kObjectPath;

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the bus name. Returns false only when another instance owns it; the call has then been
    // handed over to that instance. Without a session bus there is nobody to hand over to: true.
    bool claim();

public Q_SLOTS:
    // Exported on the bus.
    Q_SCRIPTABLE void Activate();

Q_SIGNALS:
    void activateRequested();

private:
    static void handOver();
    bool m_owned = false;
};
