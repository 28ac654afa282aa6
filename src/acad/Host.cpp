#include "Host.h"

namespace acad {

QList<DocumentSnapshot> Host::documentSnapshots()
{
    QList<DocumentSnapshot> snapshots;
    const ApplicationSnapshot app = application();
    snapshots.reserve(app.documents.size());
    for (const DocumentRef& ref : app.documents)
        snapshots.append(document(ref.id));
    return snapshots;
}

} // namespace acad
