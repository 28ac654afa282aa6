#pragma once

#include "Options.h"

#include <QCoreApplication>
#include <memory>

namespace cadhost {

// The program's arguments, before an application object exists.
QStringList commandLine(int argc, char* argv[]);
// The window needs a QApplication; --dump, --headless, --help and a refused command line run without.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[], const Options& options);

// Does what the options ask for; returns the exit code.
int run(const Options& options);

} // namespace cadhost
