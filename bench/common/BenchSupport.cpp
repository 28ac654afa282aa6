#include "BenchSupport.h"

#include <QFile>
#include <cstdio>

namespace benchsupport {

BoxCounter::BoxCounter() : m_previous(platform::setMessageBoxHandler(this)) {}

BoxCounter::~BoxCounter()
{
    platform::setMessageBoxHandler(m_previous);
}

platform::MsgBoxResult BoxCounter::show(const QString& text, int, const QString&)
{
    ++shown;
    std::fprintf(stderr, "message box: %s\n", qPrintable(text));
    return platform::vbOK;
}

QByteArray loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("?");
}

} // namespace benchsupport
