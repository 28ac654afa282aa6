#pragma once

#include <acad/Error.h>

namespace settings {

// A failure of the settings and database code. It has the automation error's shape (a German
// description() that the error traps show), so one trap serves both.
class Error final : public acad::Error
{
public:
    using acad::Error::Error;
};

} // namespace settings
