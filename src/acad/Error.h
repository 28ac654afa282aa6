#pragma once

#include <platform/Error.h>

namespace acad {

// An automation error. description() is the German text that the error traps show as it stands.
class Error : public platform::Error
{
public:
    using platform::Error::Error;
};

} // namespace acad
