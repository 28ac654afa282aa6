#include "Run.h"

#include "Dump.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <acad/Error.h>
#include <cadhost/dxf/DxfStore.h>
#include <cstdio>

namespace cadhost {

namespace {

int dump(const QString& path)
{
    try {
        DxfStore store;
        Drawing drawing = store.load(path);
        acad::ObjectId next = 1;
        for (Layout& l : drawing.layouts) {
            l.id = next++;
            for (Entity& e : l.entities)
                e.id = next++;
        }
        const QByteArray json = QJsonDocument(dumpDrawing(drawing)).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return 0;
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
}

} // namespace

int run(const Options& options)
{
    if (!options.dumpFile.isEmpty())
        return dump(options.dumpFile);
    std::fprintf(stderr, "%s\n",
                 qPrintable(QCoreApplication::translate("cadhost", "Ohne den Kern des CAD-Programms kann "
                                                                   "cadhost nur --dump ausführen.")));
    return 2;
}

} // namespace cadhost
