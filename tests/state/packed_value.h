// Fields of packed records as values, for the comparison macros.
#pragma once

// The macros take their arguments by reference, and a reference into a packed record may point at
// an address its type must not have: the field is read into a value first.
template <class T>
constexpr T packed(T value)
{
    return value;
}
