// The rows in which the page shows what is selected; the front end reads the
// selection back from them.
#pragma once

namespace kalvo {

inline constexpr int kDirectoryRow = 1;
inline constexpr int kEquationRow = 2;  // also the variable sets and the clipboard depth
inline constexpr int kFirstVariableRow = 9;

}  // namespace kalvo
