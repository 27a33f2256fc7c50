// Where a command's handler is connected, a database error it meets is
// reported there, as every such error is, and the command simply stops; the
// windows it touched are given back by their own scoped helpers on the way
// out. The application's event filter stays the last net for anything else.
#pragma once

#include "app/Application.h"
#include "data/Database.h"

#include <utility>

namespace vexo {

template <class Command>
void Run_guarded(Command&& command)
{
    try {
        std::forward<Command>(command)();
    } catch (const Db_error& error) {
        Report_failure(error);
    }
}

// The handler to connect in place of `command`; the signal's arguments are not
// passed on.
template <class Command>
auto Guarded(Command command)
{
    return [command = std::move(command)] { Run_guarded(command); };
}

} // namespace vexo
