#include "sim/host/keyboard.h"

#include <string_view>

namespace sim {

namespace {

// One key of the main block: its scan code and what it types without and with Shift.
struct Key {
    DWORD scanCode;
    char plain;
    char shifted;
};

constexpr Key kKeys[] = {
    {2, '1', '!'},  {3, '2', '@'},   {4, '3', '#'},  {5, '4', '$'},  {6, '5', '%'},  {7, '6', '^'},  {8, '7', '&'},
    {9, '8', '*'},  {10, '9', '('},  {11, '0', ')'}, {12, '-', '_'}, {13, '=', '+'}, {16, 'q', 'Q'}, {17, 'w', 'W'},
    {18, 'e', 'E'}, {19, 'r', 'R'},  {20, 't', 'T'}, {21, 'y', 'Y'}, {22, 'u', 'U'}, {23, 'i', 'I'}, {24, 'o', 'O'},
    {25, 'p', 'P'}, {26, '[', '{'},  {27, ']', '}'}, {30, 'a', 'A'}, {31, 's', 'S'}, {32, 'd', 'D'}, {33, 'f', 'F'},
    {34, 'g', 'G'}, {35, 'h', 'H'},  {36, 'j', 'J'}, {37, 'k', 'K'}, {38, 'l', 'L'}, {39, ';', ':'}, {40, '\'', '"'},
    {41, '`', '~'}, {43, '\\', '|'}, {44, 'z', 'Z'}, {45, 'x', 'X'}, {46, 'c', 'C'}, {47, 'v', 'V'}, {48, 'b', 'B'},
    {49, 'n', 'N'}, {50, 'm', 'M'},  {51, ',', '<'}, {52, '.', '>'}, {53, '/', '?'}, {57, ' ', ' '},
};

}  // namespace

std::optional<DWORD> ScanCodeOfCharacter(char character) {
    for (const Key& key : kKeys)
        if (key.plain == character || key.shifted == character) return key.scanCode;
    return std::nullopt;
}

}  // namespace sim
