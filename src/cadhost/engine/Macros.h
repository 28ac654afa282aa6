#pragma once

#include "MacroProject.h"

#include <acad/Types.h>

namespace cadhost {

class CommandLine;
class Documents;

// The loaded macro projects and the built-in macros they provide.
class Macros final
{
public:
    Macros(Documents& documents, CommandLine& commandLine);

    // A project loaded again (same file) replaces the one loaded before.
    void load(const MacroProject& project);
    QStringList files() const;   // as loaded
    bool productStarted() const; // "KV_Starten" has run
    // interactive: a user sits at the window, so KV_Layout asks for the name on the command line.
    void run(const QString& name, bool interactive);

private:
    void createLayout(acad::DocId id, const QString& name);
    void askLayoutName(acad::DocId id);
    void kvStarten();
    void kvLayout(bool interactive);
    void kvDelLayout();

    Documents& m_documents;
    CommandLine& m_commandLine;
    QList<MacroProject> m_projects;
    bool m_started = false;
};

} // namespace cadhost
