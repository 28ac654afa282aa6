#pragma once

// The engine's parts and their wiring: the documents, the command line that works on them, the
// commands it starts and the macros.
#include "CommandLine.h"
#include "Documents.h"
#include "Engine.h"
#include "Macros.h"
#include "Profile.h"

namespace cadhost {

struct Engine::Private
{
    Private(Engine* engine, std::shared_ptr<DrawingStore> store);

    Engine* q;
    // The documents tell the command line about themselves; the command line starts the commands.
    Documents documents;
    CommandLine commandLine;
    Macros macros;
    Profile profile;
    bool visible = false;
    bool interactive = false;
    qint64 hwnd = 0;
    QString designCenter;

    // --- commands (Commands.cpp)
    bool startCommand(acad::DocId line, const QString& name);
    void saveAsFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void saveFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void quitFlow(acad::DocId line, QList<acad::DocId> pending);
};

} // namespace cadhost
