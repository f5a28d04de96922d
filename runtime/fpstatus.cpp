#include "fpstatus.h"

#include "runtimeerror.h"

#include <cfenv>

namespace rt {

void clearFloatingPointStatus()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void checkFloatingPointStatus()
{
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (!raised)
        return;
    clearFloatingPointStatus();
    if (raised & FE_DIVBYZERO)
        throw RuntimeError::divisionByZero();
    throw RuntimeError::overflow();
}

} // namespace rt
