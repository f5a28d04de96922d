#include "dispatch.h"

#include <new>

namespace rt {

std::optional<RuntimeError> runHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        return error;
    } catch (const std::bad_alloc &) {
        return RuntimeError::outOfMemory();
    }
    return std::nullopt;
}

} // namespace rt
