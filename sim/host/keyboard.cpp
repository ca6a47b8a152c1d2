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

// clang-format off
constexpr Key kKeys[] = {
    {OAPI_KEY_1, '1', '!'},           {OAPI_KEY_2, '2', '@'},           {OAPI_KEY_3, '3', '#'},           {OAPI_KEY_4, '4', '$'},
    {OAPI_KEY_5, '5', '%'},           {OAPI_KEY_6, '6', '^'},           {OAPI_KEY_7, '7', '&'},           {OAPI_KEY_8, '8', '*'},
    {OAPI_KEY_9, '9', '('},           {OAPI_KEY_0, '0', ')'},           {OAPI_KEY_MINUS, '-', '_'},       {OAPI_KEY_EQUALS, '=', '+'},
    {OAPI_KEY_Q, 'q', 'Q'},           {OAPI_KEY_W, 'w', 'W'},           {OAPI_KEY_E, 'e', 'E'},           {OAPI_KEY_R, 'r', 'R'},
    {OAPI_KEY_T, 't', 'T'},           {OAPI_KEY_Y, 'y', 'Y'},           {OAPI_KEY_U, 'u', 'U'},           {OAPI_KEY_I, 'i', 'I'},
    {OAPI_KEY_O, 'o', 'O'},           {OAPI_KEY_P, 'p', 'P'},           {OAPI_KEY_LBRACKET, '[', '{'},    {OAPI_KEY_RBRACKET, ']', '}'},
    {OAPI_KEY_A, 'a', 'A'},           {OAPI_KEY_S, 's', 'S'},           {OAPI_KEY_D, 'd', 'D'},           {OAPI_KEY_F, 'f', 'F'},
    {OAPI_KEY_G, 'g', 'G'},           {OAPI_KEY_H, 'h', 'H'},           {OAPI_KEY_J, 'j', 'J'},           {OAPI_KEY_K, 'k', 'K'},
    {OAPI_KEY_L, 'l', 'L'},           {OAPI_KEY_SEMICOLON, ';', ':'},   {OAPI_KEY_APOSTROPHE, '\'', '"'}, {OAPI_KEY_GRAVE, '`', '~'},
    {OAPI_KEY_BACKSLASH, '\\', '|'},  {OAPI_KEY_Z, 'z', 'Z'},           {OAPI_KEY_X, 'x', 'X'},           {OAPI_KEY_C, 'c', 'C'},
    {OAPI_KEY_V, 'v', 'V'},           {OAPI_KEY_B, 'b', 'B'},           {OAPI_KEY_N, 'n', 'N'},           {OAPI_KEY_M, 'm', 'M'},
    {OAPI_KEY_COMMA, ',', '<'},       {OAPI_KEY_PERIOD, '.', '>'},      {OAPI_KEY_SLASH, '/', '?'},       {OAPI_KEY_SPACE, ' ', ' '},
};
// clang-format on

}  // namespace

std::optional<DWORD> ScanCodeOfCharacter(char character) {
    for (const Key& key : kKeys)
        if (key.plain == character || key.shifted == character) return key.scanCode;
    return std::nullopt;
}

}  // namespace sim
