// Code page 850 (the OEM code page of the UK English setting) against code page 1252 (its
// ANSI code page), both ways, with the platform's conversion choices.
#ifndef CARTULAN_FILTERS_REFER_CODE_PAGE_850_H
#define CARTULAN_FILTERS_REFER_CODE_PAGE_850_H

unsigned char Oem850ToAnsi(unsigned char c);
unsigned char AnsiToOem850(unsigned char c);

#endif
