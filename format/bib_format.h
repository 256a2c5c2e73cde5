// Bibliography formats: how one reference is written out in a bibliography, with an optional
// header before the whole bibliography and an optional footer after it.
//
// A format text has up to three parts: "[header]" when it starts with "[", then "[footer]"
// when another "[" follows, then the body, a template interpreted anew for each reference:
//
//   literal text   copied; "\n" writes CR LF, "\t" a TAB, "\" with any other character that
//                  character ("\<", "\>", "\@", "\]", "\!", "\\"); a "\" at the very end nothing
//   <L...>         a group, written only when the field of letter L is present; inside it
//                  "@" writes the field's text and groups may nest
//   <!L...>        a negated group, written only when the field is absent ("@" writes "\@")
//   <A1..>, <A2..>, <A3..>   the authors shortened to all names, the first only, or two or
//                  one "et al"; <E1..> to <E3..> take the digit and write every editor
//
// Letters: A authors, B book title, C city, D date, E editors, I publisher, J journal,
// K keywords (lines joined by "; "), N number, P pages, R report, T title, V volume,
// X abstract. B, J and R are present only for a reference of their source type. Any other
// character names no field. Nothing in a format is an error: a group without its ">" runs to
// the end of the body, and a skipped group without its ">" ends the reference.
#ifndef CARTULAN_FORMAT_BIB_FORMAT_H
#define CARTULAN_FORMAT_BIB_FORMAT_H

#include <cstddef>

class Reference;

// Each part of a format holds at most 511 characters.
constexpr std::size_t kBibFormatTextSize = 512;
// The buffer that receives one formatted reference.
constexpr std::size_t kFormattedReferenceSize = 16384;

// The format used when no other is stored or named.
constexpr char kBasicBibFormatName[] = "Basic";
constexpr char kBasicBibFormatBody[] = "<A@ ><D(@)><J, @><V @><P @>";

// A named format, parsed: header and footer with their escapes applied, the body as written.
struct BibFormat {
    char name[kBibFormatTextSize] = "";
    char header[kBibFormatTextSize] = "";
    char footer[kBibFormatTextSize] = "";
    char body[kBibFormatTextSize] = "";
};

// Splits a stored format text into the header, footer and body of `format` (each cut to 511
// characters); the name is left alone. A null text or one without brackets gives an empty
// header and footer.
void ParseBibFormatInto(const char* text, BibFormat& format);

// "Basic": the built-in body, no header or footer.
void MakeBasicBibFormat(BibFormat& format);

// Writes `reference` under the body of `format` into `out` and returns the length written.
// The result is empty or ends with CR LF CR LF; a reference whose text does not fit is cut
// where the room ends and still gets its closing CR LF CR LF. `out` is always terminated
// when `outSize` is at least 1; with fewer than 5 bytes nothing is written.
std::size_t FormatReferenceWith(const BibFormat& format, const Reference& reference, char* out,
                                std::size_t outSize);

// The current format, which the bibliography window, the editor's copy and print commands
// and printing use. It starts as "Basic".
const BibFormat& CurrentBibFormat();
// Makes `text` the current header, footer and body; the name stays (see SetCurrentBibFormat).
void parseBibFormat(const char* text);
// Makes `name` and `text` the current format.
void SetCurrentBibFormat(const char* name, const char* text);
// Makes "Basic" the current format.
void UseBasicBibFormat();
// FormatReferenceWith under the current format.
std::size_t formatReference(const Reference& reference, char* out, std::size_t outSize);

#endif
