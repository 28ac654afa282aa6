#pragma once

#include "ForwardingHost.h"

namespace testsupport {

// A CAD host where every call fails with an automation error; tests derive from it and override
// only the calls they need.
class ThrowingHost : public ForwardingHost
{
public:
    ThrowingHost() : ForwardingHost(nullptr) {}
};

} // namespace testsupport
