#pragma once

#include <QString>
#include <QUrl>

// What help and about box hand to the desktop: addresses for the browser or mail program, and the
// system information program. Tests put a recorder in its place.
namespace help {

class Shell
{
public:
    virtual ~Shell() = default;
    // Hands the address to the desktop; its result is not examined.
    virtual void openUrl(const QUrl& url) = 0;
    // Starts the program without arguments and leaves it running; false when it could not start.
    virtual bool startProgram(const QString& program) = 0;
};

// The real desktop: QDesktopServices and QProcess.
class DesktopShell final : public Shell
{
public:
    void openUrl(const QUrl& url) override;
    bool startProgram(const QString& program) override;
};

} // namespace help
