// The simulator's Date2Int for both stand-in hosts: a date as a compiler's __DATE__
// writes it, "Mmm dd yyyy", read as the simulator reads it (a word, then two
// decimal numbers) and made its number (year % 100) * 10000 + month * 100 + day,
// so "Apr 25 2006" is 60425. Written without the C and C++ libraries, since the
// host with the simulator's ABI runs without them.
#pragma once

namespace sim {

namespace date_text {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

constexpr const char* SkipBlanks(const char* text) {
    while (IsBlank(*text)) ++text;
    return text;
}

// A decimal number after blanks, with an optional sign, as scanf's %d reads one;
// false without digits, or with more than nine (beyond any date, and where an int
// could overflow).
constexpr bool ReadNumber(const char*& text, int& number) {
    text = SkipBlanks(text);
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    int digits = 0;
    number = 0;
    for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
        if (digits == 9) return false;
        number = number * 10 + (*text - '0');
    }
    if (negative) number = -number;
    return digits > 0;
}

}  // namespace date_text

// 0 for a text that is not such a date: no text, a first word whose first three
// letters name no month, or a missing number.
constexpr int DateNumber(const char* date) {
    constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (date == nullptr) return 0;
    const char* word = date_text::SkipBlanks(date);
    int month = 0;
    while (month < 12 &&
           !(word[0] == kMonths[month][0] && word[1] == kMonths[month][1] && word[2] == kMonths[month][2]))
        ++month;
    if (month == 12) return 0;
    const char* rest = word + 3;
    while (*rest != '\0' && !date_text::IsBlank(*rest)) ++rest;
    int day = 0, year = 0;
    if (!date_text::ReadNumber(rest, day) || !date_text::ReadNumber(rest, year)) return 0;
    return (year % 100) * 10000 + (month + 1) * 100 + day;
}

}  // namespace sim
