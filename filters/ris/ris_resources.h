// Ids of the RIS filter's own resources.
#ifndef CARTULAN_FILTERS_RIS_RIS_RESOURCES_H
#define CARTULAN_FILTERS_RIS_RIS_RESOURCES_H

#define IDC_RIS_UTF8 101

#endif
