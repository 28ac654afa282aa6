#pragma once

#include <QString>

// The identity of a drawing: its folder and file name joined with "/" (a folder of "" gives the name
// alone). Every record, comparison and message builds it here.
QString gesamtOf(const QString& folder, const QString& name);
// The identity of a layout: the drawing's, then ";" and the layout's name.
QString layoutGesamtOf(const QString& folder, const QString& drawing, const QString& layout);

struct CAcadobj;
// The identity of a layout record's drawing: its Gesamt without ";" and the layout's name (so a ";"
// in a folder or file name stays); a record without a layout part gives its Gesamt.
QString drawingGesamtOf(const CAcadobj& layout);

// A loaded drawing or one of its layouts, as the tree knows it.
struct CAcadobj
{
    qint32 AObjId = 0;    // a layout's object id; 0 for a drawing
    QString Gesamt;       // folder/name, for a layout followed by ";" and the layout name
    qint16 Vorhanden = 0; // 1 = found again in the current refresh
    QString Zeichnung;    // the drawing's file name
    QString Layout;       // the layout's name (layouts only)
    qint32 Nummer = 0;    // running number from the tree's node counter
};
