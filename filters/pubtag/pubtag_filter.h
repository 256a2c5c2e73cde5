// The pubtag filter's option, shared by its reading and options code.
#ifndef CARTULAN_FILTERS_PUBTAG_PUBTAG_FILTER_H
#define CARTULAN_FILTERS_PUBTAG_PUBTAG_FILTER_H

// "pubtag"/"Opt": 1 splits the source field into journal, date, volume, issue and pages.
constexpr const char* kPubtagSection = "pubtag";
constexpr const char* kPubtagOptionKey = "Opt";
constexpr int kPubtagOptionDefault = 1;

// After Opts has stored the option: the next record reads it again.
void ReadPubtagOptionAgain();

#endif
