#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <acad/Error.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>

namespace enginetest {

// A paper-space layout with a viewport (with Kvarto data) and a title block, and groups the host
// does not model, which must travel along with every copy.
inline cadhost::Layout paperLayout(const QString& name, qint32 tab)
{
    cadhost::Layout l;
    l.name = name;
    l.tabOrder = tab;
    l.plot.configName = QStringLiteral("DWG To PDF.pc3");
    l.plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
    l.plot.paperWidth = 420;
    l.plot.paperHeight = 297;
    l.plot.plotRotation = 1;
    l.extra = {{100, QStringLiteral("AcDbLayout")}, {70, QStringLiteral("1")}};
    cadhost::Entity vp;
    vp.dxfType = QStringLiteral("VIEWPORT");
    vp.entityType = acad::PViewport;
    vp.viewport.height = 100;
    vp.viewport.viewHeight = 5000;
    vp.xdata = {
        {QStringLiteral("Kvarto"), {{1071, QStringLiteral("121")}, {1000, QStringLiteral("Grundriss")}}}};
    vp.extra = {{1001, QStringLiteral("ACAD")}, {8, QStringLiteral("VP")}};
    cadhost::Entity block;
    block.dxfType = QStringLiteral("INSERT");
    block.entityType = acad::BlockReference;
    block.block.blockName = QStringLiteral("KV_Schriftfeld");
    l.entities = {vp, block};
    return l;
}

inline cadhost::Drawing drawingWith(const QStringList& paperLayouts, const QString& active = {})
{
    cadhost::Drawing d;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (qsizetype i = 0; i < paperLayouts.size(); ++i)
        d.layouts.append(paperLayout(paperLayouts[i], qint32(i + 1)));
    d.activeLayout = active.isEmpty() ? paperLayouts.value(0) : active;
    return d;
}

inline QStringList layoutNames(acad::Host& host, acad::DocId doc)
{
    QStringList names;
    for (const acad::LayoutRef& l : host.document(doc).layouts)
        names.append(l.name);
    return names;
}

// Lets the engine run its queued command-line input, as the caller's event loop would.
inline void settle()
{
    QCoreApplication::processEvents();
}

inline bool historyHas(acad::Host& host, const QString& text)
{
    const QStringList history = host.commandHistory();
    return std::any_of(history.begin(), history.end(), [&](const QString& l) { return l.contains(text); });
}

// The description of the automation error a call throws, empty when it succeeds.
inline QString errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const acad::Error& e) {
        return e.description();
    }
    return {};
}

inline QString writeFile(const QString& folder, const QString& name, const QByteArray& content)
{
    QFile f(folder + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(content);
    return f.fileName();
}

// A private profile for one test, so that menus and preferences of one case don't leak into the next.
class ProfileScope
{
public:
    ProfileScope()
    {
        qputenv("CADHOST_PROFILE", QFile::encodeName(m_dir.filePath(QStringLiteral("profile.ini"))));
    }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace enginetest
