#pragma once

#include <QList>
#include <QString>
#include <optional>

// The per-user settings of the window and the list: every key, its default and the rule its text is
// read by, in one table. Values stay decimal text in the store.
namespace explorer::viewsettings {

enum class Key
{
    ViewMode, // list view mode 0..3
    MainLeft, // window placement, twips
    MainTop,
    MainWidth,
    MainHeight,
    AskDeleteLayouts, // 1: deleting layouts asks first, 0: it does not
    SheetListWidth,   // size of the "Blattliste" window, twips
    SheetListHeight,
    PublishFolder,   // the folder "Veröffentlichen ..." wrote to last; empty: none yet
    PublishOneFile,  // 1: one PDF file with every sheet, 0: one file per sheet
    PublishFileName, // the name of the one file with every sheet
    PublishPattern,  // the file-name pattern of one file per sheet
};

// The stored list view mode, rounded; empty when the text is no mode 0..3.
std::optional<int> viewMode();
void setViewMode(int mode);

// One of the four placement values in twips (single precision, as written); the default for a text
// that is no finite number, a negative size and a value beyond any screen (1e9 would make a window
// of gigabytes). A value outside that range is not written either.
double placement(Key key);
void setPlacement(Key key, double twips);

// Whether deleting layouts asks first; anything but "0" asks.
bool askDeleteLayouts();
void setAskDeleteLayouts(bool ask);

// The texts of "Veröffentlichen ..." as last used (PublishFolder, PublishFileName, PublishPattern); the
// defaults until then. Any other key gives an empty text and is not written.
QString publishText(Key key);
void setPublishText(Key key, const QString& text);
// Whether the sheets go to one file; anything but "0" does.
bool publishOneFile();
void setPublishOneFile(bool one);

// The width of column of the sheet list in twips; empty for none stored or a text that is no whole,
// non-negative 32-bit number.
std::optional<qint32> sheetListColumnWidth(int column);
void setSheetListColumnWidth(int column, qint32 twips);

// A column's width in twips; the fallback for a text that is no whole, non-negative 32-bit number.
qint32 columnWidth(int set, int column, qint32 fallback);
void setColumnWidth(int set, int column, qint32 twips);

// The stored display positions (1-based) of a node kind's columns, by column; an entry that is no
// number is 0. Empty when nothing is stored.
QList<int> columnOrder(const QString& kind);
void setColumnOrder(const QString& kind, const QList<int>& positions);

// How a node kind's list is sorted: by a column (0-based) up (order 0) or down (order 1), or with
// column -1 in the order the objects come in (a drawing's layouts: their tab order).
struct ListSort
{
    int column = -1;
    int order = 0;
    friend bool operator==(const ListSort&, const ListSort&) = default;
};
// The stored sort of a node kind's list; empty when nothing is stored or the text is no such pair.
std::optional<ListSort> listSort(const QString& kind);
void setListSort(const QString& kind, ListSort sort);

} // namespace explorer::viewsettings
