#pragma once

#include "MsgBoxRecorder.h"
#include "PrivateBus.h"

#include <acad/Host.h>
#include <memory>
#include <startup/basMain.h>

// Ends what an end-to-end case against a real host started: the window (its unload handler runs), the
// program, the test's own client and the host; then every message box must have been expected and
// shown. Fails the running test where something is left.
void endHostCase(PrivateBus& bus, std::unique_ptr<basMain::Program>& program,
                 std::shared_ptr<acad::Host>& user, std::unique_ptr<testsupport::MsgBoxRecorder>& boxes);
