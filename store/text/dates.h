// The numbers in a free-text date and the year they give, as sorting and the list lines
// read them ("12 Mar 1994", "3/4/95", "Spring 1994", "in press").
#ifndef CARTULAN_STORE_TEXT_DATES_H
#define CARTULAN_STORE_TEXT_DATES_H

// A number token holds at most this many digits plus its terminator.
constexpr int kDateTokenSize = 8;

// Finds the next number from `position`: skips letters, "/", blanks, CR and LF, then copies
// the run of digits into `token` (at most 7 digits; the rest of a longer run is passed over)
// and returns the position after the run. Returns null when the text ends first or when the
// next character is other punctuation ("." or "-"), even if digits follow later.
const char* nextNumber(const char* position, char token[kDateTokenSize]);

// The year of a date: the first number of 32 or more; failing that the last number; -1 when
// the text holds no number or is null. "12/3" gives 3, "Jan.-Feb. 1994" gives -1.
int yearOfDate(const char* date);

// The year as it is written in the date: the digits of the first number of 32 or more, or
// empty when there is none. `digits` must hold kDateTokenSize bytes.
void yearDigitsOfDate(const char* date, char digits[kDateTokenSize]);

#endif
