// Ids of the pubtag filter's own resources.
#ifndef CARTULAN_FILTERS_PUBTAG_PUBTAG_RESOURCES_H
#define CARTULAN_FILTERS_PUBTAG_PUBTAG_RESOURCES_H

#define IDC_PUBTAG_SPLIT 103

#endif
