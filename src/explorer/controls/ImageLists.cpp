#include "ImageLists.h"

#include "../frmMainIcons.h"

#include <QApplication>
#include <QStyle>

namespace explorer {
namespace {

struct ImageSource
{
    const char* theme;
    QStyle::StandardPixmap fallback;
};

QIcon iconFor(const ImageSource& source)
{
    return QIcon::fromTheme(QString::fromLatin1(source.theme),
                            QApplication::style()->standardIcon(source.fallback));
}

QList<QIcon> iconsFor(std::initializer_list<ImageSource> sources)
{
    QList<QIcon> icons;
    for (const ImageSource& source : sources)
        icons.append(iconFor(source));
    return icons;
}

} // namespace

QList<QIcon> smallImages()
{
    QList<QIcon> icons = iconsFor({
        {"application-x-executable", QStyle::SP_DesktopIcon},             // 1
        {"computer", QStyle::SP_ComputerIcon},                            // 2 loaded drawings
        {"folder-documents", QStyle::SP_DirIcon},                         // 3 library
        {"document-open", QStyle::SP_FileDialogContentsView},             // 4 template (.dwt), selected
        {"document-open", QStyle::SP_FileIcon},                           // 5 drawing file, selected
        {"x-office-drawing-template", QStyle::SP_FileDialogContentsView}, // 6 template (.dwt)
        {"x-office-drawing", QStyle::SP_FileIcon},                        // 7 drawing file
        {"x-office-presentation", QStyle::SP_FileDialogDetailedView},     // 8 layout
        {"x-office-presentation", QStyle::SP_FileDialogInfoView},         // 9 layout, selected
        {"dialog-error", QStyle::SP_MessageBoxWarning},                   // 10 no CAD program
        {"folder", QStyle::SP_DirClosedIcon},                             // 11 empty library
        {"image-x-generic", QStyle::SP_FileIcon},                         // 12 drawing
        {"image-x-generic", QStyle::SP_FileLinkIcon},                     // 13 drawing, selected
        {"document-properties", QStyle::SP_FileDialogInfoView},           // 14
        {"document-properties", QStyle::SP_FileDialogInfoView},           // 15
        {"document-properties", QStyle::SP_FileDialogInfoView},           // 16
    });
    // The rows of the details (17 plot setting, 18 product block, 19 viewport, 20 folder, 21 file
    // name) are bundled pictures, so that the rows look alike on every desktop.
    for (const char* key : {"Plot", "Product Block", "Viewport", "Folder", "File"})
        icons.append(bundledToolbarIcon(QString::fromLatin1(key)));
    return icons;
}

QList<QIcon> largeImages()
{
    return iconsFor({
        {"image-x-generic", QStyle::SP_FileIcon},                         // 1 drawing
        {"x-office-drawing-template", QStyle::SP_FileDialogContentsView}, // 2 template (.dwt)
        {"x-office-drawing", QStyle::SP_FileIcon},                        // 3 drawing file
        {"x-office-presentation", QStyle::SP_FileDialogDetailedView},     // 4 layout
    });
}

} // namespace explorer
