// The program's identity: the fixed frame title and the numbers of its version resource.
#ifndef CARTULAN_SHELL_VERSION_H
#define CARTULAN_SHELL_VERSION_H

#define CARTULAN_TITLE "Cartulan 7.8"

#define CARTULAN_FILE_VERSION       7,8,0,43
#define CARTULAN_FILE_VERSION_TEXT  "7.8.0.43"
#define CARTULAN_PRODUCT_VERSION    7,8,0,0
#define CARTULAN_PRODUCT_VERSION_TEXT "7.8"

#endif
