// Ids of the refer filter's own resources.
#ifndef CARTULAN_FILTERS_REFER_REFER_RESOURCES_H
#define CARTULAN_FILTERS_REFER_REFER_RESOURCES_H

#define IDC_REFER_OEM 101

#endif
