#include "basDateienTargets.h"

#include <acad/Host.h>
#include <platform/Error.h>
#include <records/CAcadobj.h>
#include <records/CVorlage.h>

namespace basDateien {

Target SelectedObject(const explorer::Selection& views, explorer::NodeKind root)
{
    const Target node = views.selectedNode();
    return explorer::kindOf(node.key) != root ? node : views.selectedItem();
}

template <class Record>
Record& RecordOf(RecordCollection<Record>& records, const QString& key, const char* nothing)
{
    bool ok = false;
    const qint32 number = explorer::numberOf(key).toInt(&ok);
    Record* record = ok ? records.item(QString::number(number)) : nullptr;
    if (!record)
        throw platform::Error(QString::fromUtf8(nothing));
    return *record;
}

template CAcadobj& RecordOf(RecordCollection<CAcadobj>&, const QString&, const char*);
template CVorlage& RecordOf(RecordCollection<CVorlage>&, const QString&, const char*);

bool sameName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

QList<acad::DocId> MatchingDocuments(acad::Host& app, const QString& path)
{
    QList<acad::DocId> found;
    for (const acad::DocumentRef& doc : app.application().documents) {
        if (sameName(gesamtOf(doc.path, doc.name), path))
            found.append(doc.id);
    }
    return found;
}

QList<acad::LayoutRef> MatchingLayouts(const acad::DocumentSnapshot& doc, const QString& name)
{
    QList<acad::LayoutRef> found;
    for (const acad::LayoutRef& layout : doc.layouts) {
        if (sameName(layout.name, name))
            found.append(layout);
    }
    return found;
}

} // namespace basDateien
