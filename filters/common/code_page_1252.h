// Character classes and case pairs of the Windows code page 1252 (Western European), as the
// platform classifies them: the ANSI code page of the UK English setting, used where the
// platform's own classification is not available.
#ifndef CARTULAN_FILTERS_COMMON_CODE_PAGE_1252_H
#define CARTULAN_FILTERS_COMMON_CODE_PAGE_1252_H

bool IsLetter1252(unsigned char c);
// Letters and digits; the digits include the superscripts 1, 2 and 3.
bool IsLetterOrDigit1252(unsigned char c);
bool IsLower1252(unsigned char c);
bool IsUpper1252(unsigned char c);
unsigned char ToLower1252(unsigned char c);
unsigned char ToUpper1252(unsigned char c);

#endif
