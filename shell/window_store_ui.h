// The store's user interface in the program: its line changes reach the database windows'
// lists, its questions are message boxes, its long operations show the wait window.
#ifndef CARTULAN_SHELL_WINDOW_STORE_UI_H
#define CARTULAN_SHELL_WINDOW_STORE_UI_H

// Makes the database windows the store's user interface.
void InstallStoreUi();

#endif
