#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>
#include <help/Shell.h>

// Records what would go to the desktop; a program "starts" unless told otherwise.
class RecordingShell final : public help::Shell
{
public:
    QList<QUrl> urls;
    QStringList programs;
    bool programsStart = true;

    void openUrl(const QUrl& url) override { urls.append(url); }
    bool startProgram(const QString& program) override
    {
        programs.append(program);
        return programsStart;
    }
};
