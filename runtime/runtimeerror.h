#pragma once

#include <QString>

#include <exception>
#include <string>

namespace rt {

// A run-time error: what stops an event handler where it arose. It carries the error's number
// and description; the run time reports it in its own message box and ends the program.
class RuntimeError : public std::exception {
public:
    enum Number : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        DivisionByZero = 11,
        TypeMismatch = 13,
        ObjectNotSet = 91,
        AutomationError = 440,
    };

    RuntimeError(int number, QString description);

    // The errors the run time raises itself, with their standard descriptions.
    static RuntimeError typeMismatch();
    static RuntimeError overflow();
    static RuntimeError divisionByZero();
    static RuntimeError outOfMemory();

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }

    // The text of the run time's report: "Run-time error '13':\n\nType mismatch".
    QString report() const;

    const char *what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

} // namespace rt
