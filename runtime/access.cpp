#include "access.h"

#include "fpstatus.h"
#include "runtimeerror.h"

namespace rt {

void checkAccess(const AccessStatus &status)
{
    clearFloatingPointStatus();
    if (status.failed())
        throw RuntimeError(status.errorNumber, status.description);
}

} // namespace rt
