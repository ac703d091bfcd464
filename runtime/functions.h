#pragma once
// The value functions of the BASIC runtime. None of them prints, speaks or waits.
#include <cstdint>
#include <string>

namespace orvela {

// The general form with at most 15 significant digits, plain or with E and an exponent;
// the decimal separator is the user's (QLocale's default, the system locale unless set).
std::string numbertext(double x);

// Last extra draw of rnd, returned by rnd(0); 0 until rnd is given a positive argument.
extern double lastrnd;
// x > 0: a number in [0, 1); x = 0: lastrnd; x < 0: reseeds from the clock first.
double rnd(double x);
// Seeds the generator from the clock (the program does this once at its start).
void randomize();
// Fixed seed and lastrnd 0, as at process start (tests).
void resetrnd();

// The byte of the memory image at trunc(address); 0 outside the image.
std::uint8_t peek(double address);
// "hh mm ss " of the local time of day.
std::string timetext();
// The first trunc(n) characters; empty for n <= 0.
std::string lefttext(const std::string& text, double n);
// A text with "%" is a 32-bit integer with "%" for hexadecimal and raises ConvertError
// when it is not one; any other text is a decimal number or gives 0.
double val(const std::string& text);
// The code of the first character; 0 for the empty text.
std::uint8_t asc(const std::string& text);

}  // namespace orvela
