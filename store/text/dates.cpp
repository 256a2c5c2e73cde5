#include "store/text/dates.h"

#include "store/text/text_rules.h"

namespace {

bool SkippedBeforeNumber(char c)
{
    return IsLetter(c) || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int TokenValue(const char* token)
{
    int value = 0;
    for (; *token != 0; ++token) value = value * 10 + (*token - '0');
    return value;
}

// The years in a date start at 32, so that day and month numbers are passed over.
constexpr int kFirstYear = 32;

}  // namespace

const char* nextNumber(const char* position, char token[kDateTokenSize])
{
    token[0] = 0;
    if (position == nullptr) return nullptr;
    while (*position != 0 && SkippedBeforeNumber(*position)) ++position;
    if (*position == 0 || !IsDigit(*position)) return nullptr;
    int length = 0;
    for (; IsDigit(*position); ++position)
        if (length < kDateTokenSize - 1) token[length++] = *position;
    token[length] = 0;
    return position;
}

int yearOfDate(const char* date)
{
    char token[kDateTokenSize];
    int year = -1;
    for (const char* at = nextNumber(date, token); at != nullptr; at = nextNumber(at, token)) {
        year = TokenValue(token);
        if (year >= kFirstYear) break;
    }
    return year;
}

void yearDigitsOfDate(const char* date, char digits[kDateTokenSize])
{
    for (const char* at = nextNumber(date, digits); at != nullptr; at = nextNumber(at, digits))
        if (TokenValue(digits) >= kFirstYear) return;
    digits[0] = 0;
}
