#pragma once

#include <platform/Error.h>

namespace explorer {

// A refused control operation (a key used twice, a key without a node). description() is the German
// text that the callers' error traps show.
class ControlError final : public platform::Error
{
public:
    using platform::Error::Error;
};

} // namespace explorer
