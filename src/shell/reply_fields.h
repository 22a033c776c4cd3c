#pragma once

#include <string>
#include <string_view>

namespace nav {

// Reply fields are numbers in decimal text, read from their 8-bit form the way
// the C library's atol reads: optional leading white space, an optional sign,
// then digits up to the first other character; no digits read as 0. A number
// beyond the range reads as the nearest value in range.
long ReadLongField(const std::wstring& field);
int ReadIntField(const std::wstring& field);

// A position field, in units of 0.00001 degree, as degrees.
double FieldToDegrees(const std::wstring& field);

// The same reading on 8-bit text, for the fields' narrow copies.
long ParseLeadingLong(std::string_view text);

}  // namespace nav
