// BibTeX field texts and the program's code page 1252, both ways. Field texts are LaTeX:
// accents and symbols are commands ({\"u}, \'{e}, \ss, \pounds), braces group (and protect
// capitals), "--" and "---" are dashes, "~" a tie, and & % $ # _ { } ~ ^ \ need a backslash
// or a command of their own.
#ifndef CARTULAN_FILTERS_BIBTEX_LATEX_TEXT_H
#define CARTULAN_FILTERS_BIBTEX_LATEX_TEXT_H

#include <string>
#include <string_view>

enum class LatexField : unsigned char {
    kText,
    kTitle,     // written with its capitals protected (see EncodeLatex)
    kPages,     // "--" is the hyphen of a page range
    kAbstract,  // an empty line (or \par) is a paragraph break
};

// Appends the text of `raw` to `out`: known commands become their characters (those the code
// page lacks their escapes, "{U+0151}"), unknown commands with their braced arguments stay as
// they are written, formatting commands and grouping braces go, runs of blanks and line ends
// become one blank, the ends are trimmed.
void DecodeLatex(std::string_view raw, std::string& out, LatexField field);

// How many escapes DecodeLatex has written since the last call: the load reports them with
// the characters cartio could not convert.
size_t TakeEscapesWritten();

// How characters beyond ASCII go out into a UTF-8 file.
struct LatexStyle {
    bool commands = true;  // as LaTeX commands where they have one, else as they stand
};

// Appends `text` written for a field in braces, so that DecodeLatex gives it back: the special
// characters escaped, letters and symbols beyond ASCII as commands in braces ({\"u}), which
// both BibTeX and biber read, or as they stand (see LatexStyle), "{}" between two characters
// that would otherwise read as a dash or a quote (--, ``, '', ?`, !`), and "\ " for a blank
// that is not a single blank between two words. Line breaks become blanks (in an abstract,
// paragraph breaks: an empty line). In a title each word holding a capital (but the first word
// with its first letter alone) is put in braces, so that a style that lowers the case of
// titles keeps it. The escape of a character the code page lacks ("{U+0151}") goes out as
// its command or as it stands, which a UTF-8 file turns into the character.
void EncodeLatex(std::string_view text, std::string& out, LatexStyle style, LatexField field);

// Appends the ASCII letters and digits of `text`, for a cite key: a letter with an accent as
// its letter ("e" for "\xE9", "L" for the escape "{U+0141}"), a letter of its own as its
// command's name ("ss" for "\xDF"); everything else is left out.
void AppendAsciiLetters(std::string_view text, std::string& out);

#endif
