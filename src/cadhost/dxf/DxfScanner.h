#pragma once

#include <QByteArray>
#include <string_view>
#include <vector>

namespace cadhost {

// One group as it stands in the file: the value is a view into the file's bytes, without the line end.
struct ScannedGroup
{
    qint32 code = 0;
    qint64 line = 0; // line of the group code, 1-based
    std::string_view value;
};

// Splits DXF text into groups in one pass over the bytes; lines end in LF, CR LF or CR, and comments
// (999) are left out. Refuses what is no DXF text: binary DWG and
// binary DXF, a code line that is no number, a code without its value, and a file without its EOF.
// Throws DxfError with the line.
std::vector<ScannedGroup> scanDxf(const QByteArray& bytes);

// Whether the file's lines end in CR LF (the first line decides).
bool usesCrLf(const QByteArray& bytes);

} // namespace cadhost
