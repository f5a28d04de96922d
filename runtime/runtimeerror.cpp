#include "runtimeerror.h"

namespace rt {

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(report().toStdString())
{
}

RuntimeError RuntimeError::typeMismatch()
{
    return {TypeMismatch, QStringLiteral("Type mismatch")};
}

RuntimeError RuntimeError::overflow()
{
    return {Overflow, QStringLiteral("Overflow")};
}

RuntimeError RuntimeError::divisionByZero()
{
    return {DivisionByZero, QStringLiteral("Division by zero")};
}

RuntimeError RuntimeError::outOfMemory()
{
    return {OutOfMemory, QStringLiteral("Out of memory")};
}

QString RuntimeError::report() const
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(m_number).arg(m_description);
}

} // namespace rt
