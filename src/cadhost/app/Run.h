#pragma once

#include "Options.h"

namespace cadhost {

// Does what the options ask for; returns the exit code.
int run(const Options& options);

} // namespace cadhost
