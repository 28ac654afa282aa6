#pragma once

// Shared between the tree and the list halves of basViewControls; not for other modules.

#include <QString>
#include <exception>
#include <functional>

namespace explorer {
class ListControl;
class TreeControl;
class ViewHost;
} // namespace explorer

namespace basViewControls::detail {

extern explorer::TreeControl* tree;
extern explorer::ListControl* list;
extern explorer::ViewHost* host;

// Whether the window has handed over its tree and list; before that, and after it has gone, the
// view operations do nothing.
bool attached();
// The text an error trap shows for an error.
QString errorText(const std::exception& error);
// Shows the error's own text in a plain message box.
void showError(const std::exception& error);
// Runs one step and swallows its error, so that the next step still runs.
void ignoreErrors(const std::function<void()>& step);

// First letter of the tree's selected node's key; "" when nothing is selected.
QString selectedKind();
// The record number that a key names: the key without its first letter.
QString numberOf(const QString& key);
// folder/name, joined as every identity is joined.
QString gesamtOf(const QString& folder, const QString& name);
// Whether a file name or path ends in "DWT", ignoring case.
bool isDwt(const QString& name);

} // namespace basViewControls::detail
