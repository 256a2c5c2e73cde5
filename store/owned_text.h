// Texts owned by store records: zero-terminated 8-bit strings on the C heap, null when absent.
#ifndef CARTULAN_STORE_OWNED_TEXT_H
#define CARTULAN_STORE_OWNED_TEXT_H

// A new copy of `text`; null when `text` is null or memory runs out.
char* CopyText(const char* text);

// Replaces `*slot` with a copy of `text` (null makes the field absent) and frees the old
// text. Returns 0 when memory runs out; the old text is then kept.
int ReplaceText(char** slot, const char* text);

// Frees `*slot` and makes it absent.
void FreeText(char** slot);

#endif
