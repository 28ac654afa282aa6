// Feeds arbitrary bytes to the DXF reader. A bad file must end in DxfError, never in a crash, a hang
// or another exception; a file that reads must also write, and read back.
#include <cadhost/dxf/DxfError.h>
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
    try {
        const cadhost::Drawing again = cadhost::readDxf(written);
        if (again.layouts.size() != drawing.layouts.size())
            std::abort(); // the writer lost a layout
    } catch (const cadhost::DxfError& e) {
        std::fprintf(stderr, "line %lld: %s\n", static_cast<long long>(e.line()), e.what());
        if (const char* keep = std::getenv("DXF_FUZZ_KEEP")) {
            if (FILE* f = std::fopen(keep, "wb")) {
                std::fwrite(written.constData(), 1, size_t(written.size()), f);
                std::fclose(f);
            }
        }
        std::abort(); // the writer wrote what the reader refuses
    }
    return 0;
}
