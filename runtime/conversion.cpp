#include "conversion.h"

#include "runtimeerror.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace rt {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The number found at text[pos...], with the position just past it.
struct Scanned {
    double value;
    qsizetype end;
};

// Reads the longest number of the strict form at `pos`: sign, digits, point, digits, exponent.
// Returns nothing when no digit stands where the number must begin.
std::optional<Scanned> scanNumber(const QString &text, qsizetype pos)
{
    const qsizetype size = text.size();
    bool negative = false;
    if (pos < size && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }

    std::string digits; // the unsigned number in ASCII, for from_chars
    qsizetype intDigits = 0;
    qsizetype fracDigits = 0;
    while (pos < size && isDigit(text[pos])) {
        digits += char(text[pos].unicode());
        ++intDigits;
        ++pos;
    }
    if (pos < size && text[pos] == u'.') {
        qsizetype p = pos + 1;
        std::string frac;
        while (p < size && isDigit(text[p])) {
            frac += char(text[p].unicode());
            ++p;
        }
        fracDigits = frac.size();
        if (intDigits + fracDigits > 0) {
            digits += '.';
            digits += frac;
            pos = p;
        }
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;

    long long exponent = 0;
    if (pos < size && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype p = pos + 1;
        bool expNegative = false;
        if (p < size && (text[p] == u'+' || text[p] == u'-')) {
            expNegative = text[p] == u'-';
            ++p;
        }
        if (p < size && isDigit(text[p])) {
            std::string expDigits;
            while (p < size && isDigit(text[p])) {
                if (exponent < 100000) // beyond this every value is an overflow or a zero
                    exponent = exponent * 10 + (text[p].unicode() - u'0');
                ++p;
            }
            if (expNegative)
                exponent = -exponent;
            digits += 'e';
            digits += std::to_string(exponent);
            pos = p;
        }
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double. The decimal magnitude tells which.
        qsizetype lead = 0;  // significant digits before the point
        qsizetype zeros = 0; // zeros after the point before the first significant digit
        const auto point = digits.find('.');
        const std::string intPart = digits.substr(0, std::min(point, digits.find('e')));
        const auto firstSignificant = intPart.find_first_not_of('0');
        if (firstSignificant != std::string::npos) {
            lead = qsizetype(intPart.size() - firstSignificant);
        } else if (point != std::string::npos) {
            const std::string frac = digits.substr(point + 1, digits.find('e') - point - 1);
            zeros = qsizetype(frac.find_first_not_of('0'));
        }
        const long long magnitude = lead > 0 ? lead + exponent : exponent - zeros;
        if (magnitude > 0) {
            value = std::numeric_limits<double>::infinity();
            std::feraiseexcept(FE_OVERFLOW);
        } else {
            value = 0.0;
        }
    }
    return Scanned{negative ? -value : value, pos};
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

double textToDouble(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const auto scanned = scanNumber(text, pos);
    if (!scanned)
        throw RuntimeError::typeMismatch();
    pos = scanned->end;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        throw RuntimeError::typeMismatch();
    return scanned->value;
}

double leadingNumber(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (isBlank(text[pos]) || text[pos] == u'\r' || text[pos] == u'\n'))
        ++pos;
    const auto scanned = scanNumber(text, pos);
    return scanned ? scanned->value : 0.0;
}

QString doubleToText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'G', 15);
}

} // namespace rt
