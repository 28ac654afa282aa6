#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cadhost/engine/Drawing.h>

// Shared by the DXF tests: fixtures, building drawings, and the ezdxf peer.
namespace dxftest {

QString dataPath(const QString& name);
QString samplePath(const QString& name);
QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& bytes);

cadhost::Entity viewport(double customScale, const QString& name, qint32 id = 2);
cadhost::Entity blockRef(const QString& block, int kind, int number);
cadhost::Layout paperLayout(const QString& name, qint32 tab);

// Every handle (codes 5 and 105) of the file; "" when none. The $HANDSEED value via seed.
QStringList handles(const QByteArray& dxf, QString* seed = nullptr);

// Runs ezdxf_peer.py with Debian's python; the error text is set when ezdxf is not there.
bool ezdxfAvailable(QString* why);
QByteArray runPeer(const QStringList& arguments);

} // namespace dxftest
