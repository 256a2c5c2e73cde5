/* Resource, command, control and string ids shared by the language libraries, the program's
   own resources, the program's code and the UI tests. Plain #defines only: windres reads it.

   Ranges:
     1 .. 99        string ids of field names and search descriptions
     100 .. 199     dialog control ids and internal commands
     400 .. 499     window commands
     500 .. 799     menu and toolbar commands (and the string ids of their help texts)
     800 ..         MDI window list entries
     3000 .. 3001   toolbar and status bar */
#ifndef CARTULAN_LANG_IDS_H
#define CARTULAN_LANG_IDS_H

/* Menu and toolbar commands. */
#define CMD_OPEN_BIBLIOGRAPHY       194
#define CMD_WINDOW_TILE             419
#define CMD_WINDOW_CASCADE          420
#define CMD_WINDOW_ARRANGE_ICONS    421
#define CMD_FILE_NEW                500
#define CMD_FILE_OPEN               501
#define CMD_FILE_SAVE               502
#define CMD_FILE_SAVE_AS            503
#define CMD_FILE_EXIT               504
#define CMD_FILE_IMPORT             505
#define CMD_FILE_CLOSE              506
#define CMD_REF_NEW                 507
#define CMD_REF_EDIT                508
#define CMD_REF_DELETE              509
#define CMD_SEARCH_NEW              510
#define CMD_SEARCH_SHOW_ALL         511
#define CMD_REF_EDIT_AUTHOR         512
#define CMD_SEARCH_NARROW           513
#define CMD_SEARCH_EXPAND           514
#define CMD_REF_ADD_TO_BIB          515
#define CMD_OPT_FORMATTED_BIB       516
#define CMD_OPT_BIB_FORMAT          517
#define CMD_OPT_SAVE_BACKUPS        518
#define CMD_OPT_LIST_FORMAT         519
#define CMD_OPT_INPUT_DEFAULTS      520
#define CMD_OPT_SEARCHING           521
#define CMD_OPT_LANGUAGE            522
#define CMD_OPT_CONFIRMATION        523
#define CMD_FILE_PRINT              524
#define CMD_OPT_FONT_PRINTER        525
#define CMD_OPT_FONT_DATABASE       526
#define CMD_HELP_CONTENTS           528
#define CMD_HELP_USING_HELP         529
#define CMD_HELP_ABOUT              530
#define CMD_FILE_EXPORT             546
#define CMD_OPT_AUTO_VIEW           565
#define CMD_OPT_BIB_COLOUR          566
#define CMD_OPT_SORTING             568
#define CMD_REF_SELECT_ALL          569
#define CMD_OPT_DEFAULT_FORMAT      580
#define CMD_REF_ADD_KEYWORDS        584
#define CMD_OPT_FONT_EDIT           587
#define CMD_FILE_RECENT_FIRST       701
#define CMD_FILE_RECENT_LAST        706
#define CMD_EDIT_CUT                768
#define CMD_EDIT_COPY               769
#define CMD_EDIT_PASTE              770
#define CMD_EDIT_UNDO               772

/* The MDI client numbers its window-list entries from here. */
#define MDI_FIRST_CHILD_ID          800

/* Positions in menu "MAIN". */
#define MENU_POS_FILE               0
#define MENU_POS_WINDOW             5
#define MENU_FILE_FIXED_ITEMS       14

#endif
