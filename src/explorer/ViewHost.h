#pragma once

#include <QString>

namespace explorer {

// What the tree and list logic needs from the main window around them. The window implements it
// and hands it to the constructor of basViewControls::ViewControls together with its controls.
class ViewHost
{
public:
    virtual ~ViewHost() = default;

    // Status bar panel 1 for the selected node.
    virtual void UpdateStatusBar() = 0;
    // Recomputes which menu entries and toolbar buttons are enabled.
    virtual void VisbibleMnuMenu() = 0;
    // The list's view from the stored "ViewMode", with the view-mode buttons and entries set.
    virtual void SetTreeViewViewBySetting() = 0;
    // The caption of the title label above the list.
    virtual void setListTitle(const QString& title) = 0;
    // The four view-mode toolbar buttons and the four view-mode menu entries.
    virtual void setViewModeCommandsEnabled(bool enabled) = 0;
    // "A&lle auswählen" and "Auswahl &umkehren".
    virtual void setSelectionCommandsEnabled(bool enabled) = 0;
    // The mode (0..3) of the pressed view-mode toolbar button, -1 when none is pressed.
    virtual int pressedViewMode() const = 0;
};

} // namespace explorer
