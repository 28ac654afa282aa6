#pragma once

#include "DxfText.h"

#include <QHash>
#include <QList>
#include <QString>
#include <cadhost/engine/Drawing.h>

namespace cadhost {

// One record of a section: "0 TYPE" and the groups after it, exactly as read.
struct DxfRecord
{
    QString type;
    QList<DxfGroup> groups;
    friend bool operator==(const DxfRecord&, const DxfRecord&) = default;
};

struct DxfTable
{
    QString name;         // "LAYER", "BLOCK_RECORD", ...
    QList<DxfGroup> head; // the TABLE record's groups after its name
    QList<DxfRecord> records;
    QList<DxfGroup> end; // groups of ENDTAB
};

// A block that is not a layout's: kept whole, its entities included.
struct DxfBlock
{
    QString name;
    DxfRecord begin; // BLOCK
    QList<DxfRecord> entities;
    DxfRecord end; // ENDBLK
};

// What stood beside a layout in the file: its block record, BLOCK and ENDBLK. Reused on writing so
// that their unmodelled groups come back.
struct DxfLayoutBlock
{
    DxfRecord record;
    DxfRecord begin;
    DxfRecord end;
};

// A section the host does not know (THUMBNAILIMAGE, ACDSDATA, ...), kept whole.
struct DxfSection
{
    QString name;
    QList<DxfGroup> groups;
};

} // namespace cadhost

// Everything of a drawing file beyond the model, in file order.
struct cadhost::Preserved
{
    QString acadver = QStringLiteral("AC1015");
    dxftext::Encoding encoding = dxftext::Encoding::Cp1252;
    QByteArray codePage; // the converter's name when encoding is CodePage
    bool crlf = false;
    QStringList sectionOrder; // section names as they stood
    QList<DxfGroup> header;   // HEADER groups; $HANDSEED and $TILEMODE are set on writing
    QList<DxfGroup> classes;
    QList<DxfTable> tables;                      // BLOCK_RECORD without the layouts' records
    QList<DxfBlock> blocks;                      // without the layouts' blocks
    QHash<QString, DxfLayoutBlock> layoutBlocks; // by the LAYOUT's handle
    QList<DxfRecord> objects;                    // without the LAYOUT objects
    qsizetype layoutsAt = -1;                    // where in objects the LAYOUT objects stood
    QString layoutDictionary;                    // handle of ACAD_LAYOUT
    QString paperSpaceLayout; // the layout that held *Paper_Space; it keeps it while Model is active
    QList<DxfSection> otherSections;
};
