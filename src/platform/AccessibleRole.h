#pragma once

class QWidget;

// A top-level window that is a plain QWidget reads as "filler" to a screen reader, as if it were a
// piece of another window. This gives it the role of what it is.
namespace platform {

enum class AccessibleRole
{
    Frame,  // a window of its own ("frame")
    Dialog, // a dialog ("dialog")
};

void setAccessibleRole(QWidget* window, AccessibleRole role);

} // namespace platform
