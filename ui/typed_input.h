// Numbers typed into the host's input box.
#pragma once

#include <string_view>

namespace kalvo {

// The value of the longest decimal number at the start of `text`, after leading
// blanks: an optional sign, digits with an optional decimal point, and an optional
// exponent (e or E, an optional sign and digits). 0.0 when the text starts with no
// number; "inf", "nan" and hexadecimal are not numbers here. The digits read are
// converted with correct rounding, so a value printed with 17 significant digits
// reads back exactly; beyond the range of a double the value is an infinity, below
// it a zero, of the number's sign.
double ReadTypedNumber(std::string_view text);

// The value store cell that the next text typed into the input box goes to, set
// when the box is opened.
struct InputTarget {
    int variableSet;
    int directory;
    int variable;
};

extern InputTarget TypedInputTarget;

// The input box's callback: stores the typed number in the input target's cell and
// returns true, so that the host closes the box. No text stores nothing.
bool InputCallback(void* box, char* text, void* userData);

}  // namespace kalvo
