#include "ui/typed_input.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "catalogue/value_store.h"
#include "ui/clipboard.h"

namespace kalvo {

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
    std::string_view unsignedText;  // digits, point and exponent, without the sign
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool negativeExponent = false;
    std::string_view exponentDigits;
};

// The longest decimal number at the start of `text`; an empty unsignedText when
// there is none.
DecimalNumber ScanDecimalNumber(std::string_view text) {
    DecimalNumber number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) number.negative = text[at++] == '-';
    const std::size_t start = at;

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
            at = digitsAt + digits.size();
        }
    }
    number.unsignedText = text.substr(start, at - start);
    return number;
}

// Whether a number too large or too small for a double is too large: its first
// significant digit stands at a power of ten of 0 or more.
bool IsAtLeastOne(const DecimalNumber& number) {
    long long power;
    const auto firstInInteger = number.integerDigits.find_first_not_of('0');
    if (firstInInteger != std::string_view::npos) {
        power = static_cast<long long>(number.integerDigits.size() - firstInInteger) - 1;
    } else {
        const auto firstInFraction = number.fractionDigits.find_first_not_of('0');
        if (firstInFraction == std::string_view::npos) return false;
        power = -static_cast<long long>(firstInFraction) - 1;
    }
    // Any exponent beyond the digits a text can hold decides alone; stop counting there.
    constexpr long long kDecisive = 1'000'000'000'000LL;
    long long exponent = 0;
    for (const char digit : number.exponentDigits) exponent = std::min(kDecisive, exponent * 10 + (digit - '0'));
    return power + (number.negativeExponent ? -exponent : exponent) >= 0;
}

}  // namespace

double ReadTypedNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return 0.0;
    const DecimalNumber number = ScanDecimalNumber(text.substr(start));
    if (number.unsignedText.empty()) return 0.0;

    double magnitude = 0.0;
    const char* first = number.unsignedText.data();
    const std::from_chars_result result = std::from_chars(first, first + number.unsignedText.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = IsAtLeastOne(number) ? std::numeric_limits<double>::infinity() : 0.0;
    return number.negative ? -magnitude : magnitude;
}

bool InputCallback(void*, char* text, void*) {
    if (text == nullptr) return true;
    ValueStore[TypedInputTarget.variableSet][TypedInputTarget.directory][TypedInputTarget.variable] =
        ReadTypedNumber(text);
    return true;
}

}  // namespace kalvo
