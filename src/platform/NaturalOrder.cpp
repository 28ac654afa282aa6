#include "NaturalOrder.h"

#include <QCollator>
#include <QLocale>

namespace platform {

namespace {

// ICU's German collation in numeric mode gives exactly this order; the collator is made once and only
// read afterwards, which ICU allows from any thread.
const QCollator& collator()
{
    static const QCollator instance = [] {
        QCollator made(QLocale(QLocale::German, QLocale::Germany));
        made.setNumericMode(true);
        made.setCaseSensitivity(Qt::CaseInsensitive);
        made.setIgnorePunctuation(false);
        return made;
    }();
    return instance;
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    return collator().compare(a, b);
}

bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

} // namespace platform
