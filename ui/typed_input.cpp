#include "ui/typed_input.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/value_store.h"

namespace kalvo {

// Once per loaded module: the host destroys a page whenever its display changes
// mode, and the box, which is the host's, may be confirmed after its page is gone.
InputTarget TypedInputTarget{};

namespace {

// The blanks skipped before a number, named one by one: a classification by the
// C library would depend on the locale and on the sign of a plain char.
constexpr std::string_view kBlanks = " \t\n\v\f\r";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view LeadingDigits(std::string_view text) {
    const auto end = std::find_if(text.begin(), text.end(), [](char c) { return !IsDigit(c); });
    return text.substr(0, static_cast<std::size_t>(end - text.begin()));
}

// The parts of the decimal number at the start of a text.
struct DecimalNumber {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool negativeExponent = false;
    std::string_view exponentDigits;
};

// The longest decimal number at the start of `text`; no digits when there is none.
DecimalNumber ScanDecimalNumber(std::string_view text) {
    DecimalNumber number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) number.negative = text[at++] == '-';
    number.integerDigits = LeadingDigits(text.substr(at));
    at += number.integerDigits.size();
    if (at < text.size() && text[at] == '.') {
        number.fractionDigits = LeadingDigits(text.substr(at + 1));
        if (!number.integerDigits.empty() || !number.fractionDigits.empty()) at += 1 + number.fractionDigits.size();
    }
    if (number.integerDigits.empty() && number.fractionDigits.empty()) return {};

    // An exponent counts only when digits follow its letter and sign.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t digitsAt = at + 1;
        bool negativeExponent = false;
        if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-'))
            negativeExponent = text[digitsAt++] == '-';
        const std::string_view digits = LeadingDigits(text.substr(digitsAt));
        if (!digits.empty()) {
            number.negativeExponent = negativeExponent;
            number.exponentDigits = digits;
        }
    }
    return number;
}

// Decimal significant digits that decide the rounding of any text to a double:
// no point halfway between two doubles has more than 767.
constexpr std::size_t kDecidingDigits = 800;
// An exponent beyond this, given at most kDecidingDigits + 1 digits, decides alone.
constexpr long long kDecisiveExponent = 99999;

char* WriteDecimal(char* out, int value) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

// The number's magnitude, correctly rounded by the C library's strtod from a form
// that needs no decimal point (so the locale cannot change it): its significant
// digits as an integer and a power of ten. Past kDecidingDigits the digits only
// tell whether anything follows, which one more nonzero digit says as well.
double Magnitude(const DecimalNumber& number) {
    char text[kDecidingDigits + 1 + 32];
    char* out = text;
    std::size_t significant = 0;
    long long dropped = 0;
    bool droppedNonzero = false;
    for (const std::string_view part : {number.integerDigits, number.fractionDigits})
        for (const char digit : part) {
            if (significant == 0 && digit == '0') continue;
            if (significant < kDecidingDigits) {
                *out++ = digit;
                ++significant;
            } else {
                ++dropped;
                droppedNonzero = droppedNonzero || digit != '0';
            }
        }
    if (significant == 0) return 0.0;
    if (droppedNonzero) {
        *out++ = '1';
        --dropped;
    }

    long long exponent = 0;
    for (const char digit : number.exponentDigits)
        exponent = std::min(kDecisiveExponent, exponent * 10 + (digit - '0'));
    if (number.negativeExponent) exponent = -exponent;
    exponent += dropped - static_cast<long long>(number.fractionDigits.size());
    const auto power = static_cast<int>(std::clamp(exponent, -kDecisiveExponent, kDecisiveExponent));

    *out++ = 'e';
    if (power < 0) *out++ = '-';
    out = WriteDecimal(out, power < 0 ? -power : power);
    *out = '\0';
    return std::strtod(text, nullptr);
}

}  // namespace

double ReadTypedNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return 0.0;
    const DecimalNumber number = ScanDecimalNumber(text.substr(start));
    if (number.integerDigits.empty() && number.fractionDigits.empty()) return 0.0;
    const double magnitude = Magnitude(number);
    return number.negative ? -magnitude : magnitude;
}

bool InputCallback(void*, char* text, void*) {
    if (text == nullptr) return true;
    ValueStore[TypedInputTarget.variableSet][TypedInputTarget.directory][TypedInputTarget.variable] =
        ReadTypedNumber(text);
    return true;
}

}  // namespace kalvo
