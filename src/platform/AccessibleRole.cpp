#include "AccessibleRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace platform {

namespace {

const char* const kRoleProperty = "bwAccessibleRole";

// Asked for every class of a widget's hierarchy, most derived first: the first answer wins, so the
// marked window gets its role before Qt's own interface for QWidget is made.
QAccessibleInterface* markedWindow(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void setAccessibleRole(QWidget* window, AccessibleRole role)
{
    window->setProperty(kRoleProperty,
                        int(role == AccessibleRole::Dialog ? QAccessible::Dialog : QAccessible::Window));
    // Installing is idempotent: the factory list holds each factory once.
    QAccessible::installFactory(&markedWindow);
}

} // namespace platform
