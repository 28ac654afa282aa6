// Feeds arbitrary bytes to the DXF reader. A bad file must end in DxfError, never in a crash, a hang
// or another exception; a file that reads must also write, and read back.
#include <cadhost/dxf/DxfError.h>
#include <cadhost/dxf/DxfPreserved.h>
#include <cadhost/dxf/DxfReader.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    cadhost::Drawing drawing;
    try {
        drawing = cadhost::readDxf(bytes);
    } catch (const cadhost::DxfError&) {
        return 0;
    }
    const QByteArray written = cadhost::writeDxf(drawing);
    if (const char* keep = std::getenv("DXF_FUZZ_KEEP")) {
        if (FILE* f = std::fopen(keep, "wb")) {
            std::fwrite(written.constData(), 1, size_t(written.size()), f);
            std::fclose(f);
        }
    }
    try {
        const cadhost::Drawing again = cadhost::readDxf(written);
        // The writer may add a paper layout to model space alone, but never lose one.
        if (again.layouts.size() < drawing.layouts.size())
            std::abort();
        for (qsizetype i = 0; i < drawing.layouts.size(); ++i) {
            if (again.layouts.at(i).name != drawing.layouts.at(i).name ||
                again.layouts.at(i).entities.size() != drawing.layouts.at(i).entities.size()) {
                std::fprintf(stderr, "layout %s (%lld) came back as %s (%lld)\n",
                             qPrintable(drawing.layouts.at(i).name),
                             static_cast<long long>(drawing.layouts.at(i).entities.size()),
                             qPrintable(again.layouts.at(i).name),
                             static_cast<long long>(again.layouts.at(i).entities.size()));
                std::abort();
            }
        }
        if (again.modelSpace.size() != drawing.modelSpace.size()) {
            std::fprintf(stderr, "model space of %lld came back with %lld\n",
                         static_cast<long long>(drawing.modelSpace.size()),
                         static_cast<long long>(again.modelSpace.size()));
            std::abort();
        }
        // The version, and so the text encoding, stays what it was read as.
        if (again.preserved->acadver != drawing.preserved->acadver ||
            again.preserved->encoding != drawing.preserved->encoding) {
            std::fprintf(stderr, "$ACADVER %s came back as %s\n", qPrintable(drawing.preserved->acadver),
                         qPrintable(again.preserved->acadver));
            std::abort();
        }
    } catch (const cadhost::DxfError& e) {
        std::fprintf(stderr, "line %lld: %s\n", static_cast<long long>(e.line()), e.what());
        std::abort(); // the writer wrote what the reader refuses
    }
    return 0;
}
