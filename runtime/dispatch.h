#pragma once

#include "runtimeerror.h"

#include <functional>
#include <optional>

namespace rt {

// Runs one event handler. A run-time error that leaves it stops the handler where it arose
// (its temporaries are released as the stack unwinds) and is returned to the caller, which
// reports it; nothing traps it inside the handler. Memory exhaustion counts as the run-time
// error Out of memory. Returns nothing when the handler ran to its end.
std::optional<RuntimeError> runHandler(const std::function<void()> &handler);

} // namespace rt
