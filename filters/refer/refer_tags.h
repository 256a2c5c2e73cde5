// The tags of the refer format: "%" and a capital letter, read and written by the rules below.
#ifndef CARTULAN_FILTERS_REFER_REFER_TAGS_H
#define CARTULAN_FILTERS_REFER_REFER_TAGS_H

#include "io/filter_record.h"

enum class ReferRule : unsigned char {
    kFirstKept,   // set only while still empty; a further line is kept whole in the abstract
    kJoinLines,   // each line one more name
    kJoinKeywords,
    kParagraph,   // each line a new paragraph
    kSource,      // as kFirstKept; the source type is that of the line that set the source
};

struct ReferTag {
    char letter;
    RecordText field;
    ReferRule rule;
    unsigned char sourceType;
};

// The entry of a tag letter, or null for a letter that is no tag.
const ReferTag* FindReferTag(char letter);

#endif
