#pragma once

#include <QString>

// Conversions between text and double, as the program's handlers use them. None depends on the
// process locale: the decimal point is always '.', and there are no group separators.
namespace rt {

// Strict text to double. The whole text must be one number: optional blanks or tabs around it,
// an optional sign, digits with at most one decimal point (at least one digit), and an optional
// exponent ("1e3", "2.5E-1"). Anything else (an empty text, "12abc", "abc", "&H10", "inf")
// raises the run-time error Type mismatch. A number too large for a double gives an infinity
// and sets the floating-point overflow status, which checkFloatingPointStatus() reports.
double textToDouble(const QString &text);

// The value of the number a text begins with, 0 when it begins with none. Leading blanks, tabs,
// carriage returns and line feeds are skipped, then the longest prefix of the strict form above
// is read and the rest ignored: "12abc" is 12, "abc" and "" are 0. Never raises an error itself;
// an overflow sets the floating-point status as textToDouble() does.
double leadingNumber(const QString &text);

// Double to text. A whole number below 10^15 in magnitude comes out as bare digits with a minus
// sign only when negative ("0", "21", "42", "-3"): no point, blank or exponent. Other values use
// up to 15 significant digits, with an exponent where needed ("0.5", "1E+20").
QString doubleToText(double value);

} // namespace rt
