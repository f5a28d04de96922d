#pragma once

#include <QString>

#include <utility>

// The status that every access to a control property (and every Show or Unload) returns, and
// the check that turns a failed one into a run-time error.
namespace rt {

struct AccessStatus {
    int errorNumber = 0; // 0: the access succeeded
    QString description;

    bool failed() const noexcept { return errorNumber != 0; }
    static AccessStatus ok() { return {}; }
    static AccessStatus failure(int number, QString description)
    {
        return {number, std::move(description)};
    }
};

// A property read: the value, and the status of the read that produced it.
template <class T> struct Access {
    T value{};
    AccessStatus status;
};

// Raises the run-time error of a failed access; does nothing for a successful one. Either way
// the floating-point status is cleared afterwards, so that a later floating-point test covers
// only the conversions and arithmetic that follow the access.
void checkAccess(const AccessStatus &status);

// The value of a successful read; a failed one raises its run-time error.
template <class T> T checked(Access<T> access)
{
    checkAccess(access.status);
    return std::move(access.value);
}

} // namespace rt
