/* Resource names and the command, control and string ids shared by the language libraries, the
   program's own resources, the program's code and the tests. Plain #defines only: windres
   reads it. No code writes a bare number or name for one of these.

   Ranges (numbers are unique within each kind; a dialog's controls only within that dialog):
     string ids      1 .. 8        field names offered for sorting and searching
                     21 .. 27      parts of search descriptions
                     500 .. 590    command help texts (the command's own id, CMD_*) and messages
                     591 .. 596    messages about files that could not be loaded or saved
                     597 .. 600    messages about reading and saving files
                     610 .. 611    questions about saving narrowed search results
                     620 .. 622    messages about storing bibliography formats
     commands        194           open the bibliography window
                     419 .. 433    window commands (MDI arrangement, content rebuild, copy
                                   formatted reference)
                     500 .. 587    menu and toolbar commands
                     602 .. 604    lists of common source titles (reference editor)
                     701 .. 706    recent files of the File menu
                     768 .. 772    clipboard commands
                     998           Help (reference editor menu bar, help buttons)
     controls        1, 2          OK and Cancel (IDOK, IDCANCEL)
                     50 .. 213     dialog controls
                     701 .. 767    dialog controls (format dialogs, about box)
                     100, 800, 801 content controls of a database window
                     998           help buttons
                     3000, 3001    toolbar and status bar of the frame
     windows         800 ..        MDI window-list entries
     resources       1, 2          icons of the frame and the database windows
                     3000          toolbar image strip */
#ifndef CARTULAN_LANG_IDS_H
#define CARTULAN_LANG_IDS_H

/* --- Resource names ----------------------------------------------------------------------- */

/* Language library: menus and dialog templates. */
#define MENU_MAIN                   "MAIN"
#define MENU_EDIT_REF               "EDIT_REF"

#define DLG_ABORT                   "ABORT"
#define DLG_ABOUT                   "ABOUT"
#define DLG_BIBFMT                  "BIBFMT"
#define DLG_BIBNAME                 "BIBNAME"
#define DLG_CLEAN                   "CLEAN"
#define DLG_CONFIRM                 "CONFIRM"
#define DLG_DUPLICATE               "DUPLICATE"
#define DLG_EDITBIB                 "EDITBIB"
#define DLG_EDITREF                 "EDITREF"
#define DLG_ETITLE                  "ETITLE"
#define DLG_IMPOPT                  "IMPOPT"
#define DLG_INOPT                   "INOPT"
#define DLG_KEYWORDS                "KEYWORDS"
#define DLG_LANGDLG                 "LANGDLG"
#define DLG_LISTEDIT                "LISTEDIT"
#define DLG_LISTOPT                 "LISTOPT"
#define DLG_NAME                    "NAME"
#define DLG_NEWSRCH                 "NEWSRCH"
#define DLG_OPTSORT                 "OPTSORT"
#define DLG_SRCHOPT                 "SRCHOPT"

/* The program's own resources. */
#define ACCEL_KEYS                  "KEYS"
#define DLG_SPLASH                  "SDLG"
#define BMP_SPLASH                  "SPLSH"
#define BMP_ARTICLE                 "ARTICLE"
#define BMP_ARTICLE_MASK            "ARTMASK"
#define BMP_BOOK                    "BOOK"
#define BMP_BOOK_MASK               "BOOKMASK"
#define BMP_REPORT                  "REP"
#define BMP_REPORT_MASK             "REPMASK"
#define CUR_DRAG_SINGLE             "SINGLE"
#define CUR_DRAG_MULTIPLE           "MULTIPLE"
#define IDI_FRAME                   1
#define IDI_DATABASE                2
#define IDB_TOOLBAR                 3000

/* The toolbar strip: 16 x 16 images side by side, by image number. */
#define TOOLBAR_IMAGE_SIZE          16
#define TOOLBAR_IMAGE_COUNT         14
#define TBIMG_NEW                   0
#define TBIMG_OPEN                  1
#define TBIMG_SAVE                  2
#define TBIMG_CUT                   3
#define TBIMG_COPY                  4
#define TBIMG_PASTE                 5
#define TBIMG_PRINT                 6
#define TBIMG_HELP                  7
#define TBIMG_FORMATTED_BIB         8
#define TBIMG_NEW_REFERENCE         9
#define TBIMG_ADD_TO_BIB            10
#define TBIMG_NEW_SEARCH            11
#define TBIMG_NARROW_SEARCH         12
#define TBIMG_EXPAND_SEARCH         13

/* Reference-type glyphs: 30 x 15 pictures and their masks. */
#define GLYPH_WIDTH                 30
#define GLYPH_HEIGHT                15

/* --- Commands ------------------------------------------------------------------------------ */

/* Menu, toolbar and window commands. A command's status-bar help and tooltip is the string
   with the command's own id. */
#define CMD_OPEN_BIBLIOGRAPHY       194
#define CMD_WINDOW_TILE             419
#define CMD_WINDOW_CASCADE          420
#define CMD_WINDOW_ARRANGE_ICONS    421
#define CMD_REBUILD_CONTENT         430
#define CMD_REF_COPY_FORMATTED      433
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
#define CMD_EDIT_COMMON_JOURNALS    602
#define CMD_EDIT_COMMON_BOOKS       603
#define CMD_EDIT_COMMON_REPORTS     604
#define CMD_FILE_RECENT_FIRST       701
#define CMD_FILE_RECENT_LAST        706
#define CMD_EDIT_CUT                768
#define CMD_EDIT_COPY               769
#define CMD_EDIT_PASTE              770
#define CMD_EDIT_UNDO               772
#define CMD_HELP                    998

/* The MDI client numbers its window-list entries from here. */
#define MDI_FIRST_CHILD_ID          800

/* Posted to a database window when its sort keys or name options changed: re-sort it
   (WM_USER + 2). */
#define MSG_RESORT                  1026

/* Positions in menu "MAIN". */
#define MENU_POS_FILE               0
#define MENU_POS_WINDOW             5
#define MENU_FILE_FIXED_ITEMS       14

/* --- Controls ------------------------------------------------------------------------------ */

/* Labels, group boxes and frames that the program never addresses. */
#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
/* Help button of every dialog that has one (OK and Cancel are IDOK and IDCANCEL). */
#define IDC_HELP_BUTTON             998

/* Frame window and database windows. */
#define IDC_TOOLBAR                 3000
#define IDC_STATUS_BAR              3001
#define IDC_DBWIN_TEXT              100
#define IDC_DBWIN_LIST              800
#define IDC_DBWIN_SEARCHABLE        801

/* "ABORT": printing progress. */
#define IDC_ABORT_DOCUMENT          50

/* "ABOUT". */
#define IDC_ABOUT_PRODUCT           764
#define IDC_ABOUT_PROGRAM_VERSION   765
#define IDC_ABOUT_SUPPORT_VERSION   766
#define IDC_ABOUT_LANGUAGE_VERSION  767

/* "BIBFMT": the list of bibliography formats. */
#define IDC_BIBFMT_LIST             101
#define IDC_BIBFMT_EXAMPLE          102
#define IDC_BIBFMT_EDIT             701
#define IDC_BIBFMT_NEW              702
#define IDC_BIBFMT_DELETE           703

/* "BIBNAME": name of a new bibliography format. */
#define IDC_BIBNAME_NAME            701

/* "CLEAN": progress and wait window. */
#define IDC_PROGRESS_TEXT           118

/* "CONFIRM": confirmation options. */
#define IDC_CONFIRM_DELETE_NEVER    108
#define IDC_CONFIRM_DELETE_MULTIPLE 109
#define IDC_CONFIRM_DELETE_ALWAYS   110
#define IDC_CONFIRM_DRAG            111

/* "DUPLICATE": a reference that already exists in the target. */
#define IDC_DUP_EDIT                101
#define IDC_DUP_OVERWRITE           102
#define IDC_DUP_REFERENCE           104
#define IDC_DUP_EDIT_AUTHORS        105
#define IDC_DUP_SKIP                120

/* "EDITBIB": one bibliography format's text. */
#define IDC_EDITBIB_TEXT            701

/* "EDITREF": the reference editor. Fields, then their labels, then buttons. */
#define IDC_REF_SOURCE              103
#define IDC_REF_VOLUME              104
#define IDC_REF_PAGES               105
#define IDC_REF_ABSTRACT            106
#define IDC_REF_TITLE               107
#define IDC_REF_KEYWORDS            109
#define IDC_REF_NUMBER              111
#define IDC_REF_PUBLISHER           112
#define IDC_REF_CITY                113
#define IDC_REF_EDITORS             115
#define IDC_REF_SOURCE_LABEL        108
#define IDC_REF_EDITORS_LABEL       114
#define IDC_REF_VOLUME_LABEL        204
#define IDC_REF_PAGES_LABEL         205
#define IDC_REF_ABSTRACT_LABEL      206
#define IDC_REF_TITLE_LABEL         207
#define IDC_REF_KEYWORDS_LABEL      209
#define IDC_REF_NUMBER_LABEL        211
#define IDC_REF_PUBLISHER_LABEL     212
#define IDC_REF_CITY_LABEL          213
#define IDC_REF_OK_AND_NEW          110
#define IDC_REF_PREVIOUS            116
#define IDC_REF_NEXT                117

/* "ETITLE": authors, year and source type. */
#define IDC_ETITLE_AUTHORS          101
#define IDC_ETITLE_YEAR             102
#define IDC_ETITLE_SOURCE_GROUP     103
#define IDC_ETITLE_JOURNAL          105
#define IDC_ETITLE_BOOK             106
#define IDC_ETITLE_REPORT           107

/* "IMPOPT": choice of an import or export filter. */
#define IDC_IMPOPT_LIST             101
#define IDC_IMPOPT_OPTIONS          103

/* "INOPT": input defaults. The source radio buttons follow the source types. */
#define IDC_INOPT_DATE              101
#define IDC_INOPT_JOURNAL           105
#define IDC_INOPT_BOOK              106
#define IDC_INOPT_REPORT            107

/* "KEYWORDS": adding keywords. */
#define IDC_KEYWORDS_LIST           101
#define IDC_KEYWORDS_TEXT           102
#define IDC_KEYWORDS_ADD            103
#define IDC_KEYWORDS_SCAN           104
#define IDC_KEYWORDS_DELETE         105
#define IDC_KEYWORDS_EDIT           106
#define IDC_KEYWORDS_SAVE           107

/* "LANGDLG": language libraries. */
#define IDC_LANGUAGE_LIST           101

/* "LISTEDIT": a list of common source titles. */
#define IDC_LISTEDIT_LIST           101
#define IDC_LISTEDIT_TEXT           102
#define IDC_LISTEDIT_CHANGE         103
#define IDC_LISTEDIT_DELETE         104
#define IDC_LISTEDIT_ADD            105

/* "LISTOPT": list display options. The names radio buttons follow the names modes 1 .. 3. */
#define IDC_LISTOPT_SHOW_TITLES     101
#define IDC_LISTOPT_NAMES_ALL       102
#define IDC_LISTOPT_NAMES_FIRST     103
#define IDC_LISTOPT_NAMES_TWO       104
#define IDC_LISTOPT_AUTHOR_WIDTH    105
#define IDC_LISTOPT_SELECT_NEW      111
#define IDC_LISTOPT_WIDTH_VALUE     121

/* "NAME": name sorting options. */
#define IDC_NAME_SEPARATOR          100
#define IDC_NAME_FAMILY_LAST        101
#define IDC_NAME_COMPARE_FAMILY     102
#define IDC_NAME_COMPARE_GIVEN      103

/* "NEWSRCH": a new, narrowing or expanding search. */
#define IDC_SEARCH_FIELD            101
#define IDC_SEARCH_TEXT             102
#define IDC_SEARCH_CASE             103
#define IDC_SEARCH_NOT              104

/* "OPTSORT": three sort keys, each a field and a direction. */
#define IDC_SORT_FIELD_1            101
#define IDC_SORT_FIELD_2            102
#define IDC_SORT_FIELD_3            103
#define IDC_SORT_ORDER_1            104
#define IDC_SORT_ORDER_2            105
#define IDC_SORT_ORDER_3            106
#define IDC_SORT_NAMES              107

/* "SRCHOPT": search defaults. */
#define IDC_SRCHOPT_CASE            102
#define IDC_SRCHOPT_SEARCHABLE      103

/* --- Strings ------------------------------------------------------------------------------- */

/* Field names offered for sorting and searching. */
#define IDS_FIELD_TITLE             1
#define IDS_FIELD_KEYWORD           2
#define IDS_FIELD_TITLE_KEYWORDS_ABSTRACT 3
#define IDS_FIELD_AUTHOR            4
#define IDS_FIELD_SOURCE            5
#define IDS_FIELD_DATE              6
#define IDS_FIELD_NONE              7
#define IDS_FIELD_PUBLISHER         8

/* Parts of search descriptions. */
#define IDS_DESC_TITLE              21
#define IDS_DESC_KEYWORD            22
#define IDS_DESC_TITLE_KEYWORDS_ABSTRACT 23
#define IDS_DESC_AUTHOR             24
#define IDS_DESC_SOURCE             25
#define IDS_DESC_DATE               26
#define IDS_DESC_ALL                27

/* Messages, titles and labels. */
#define IDS_BIB_TRUNCATED           527
#define IDS_SAVE_CHANGES            531
#define IDS_NO_MATCHES              532
#define IDS_SEARCH_TEXT_REQUIRED    533
#define IDS_CANNOT_OPEN_FILE        534
#define IDS_NO_MEMORY               535
#define IDS_UNKNOWN_FIELD           537
#define IDS_CONFIRM_DELETE          538
#define IDS_NO_FILTER_OPTIONS       541
#define IDS_WARNING                 542
#define IDS_FOUND_REFERENCES        543
#define IDS_SAVED_REFERENCES        545
#define IDS_CONJUNCTION             547
#define IDS_SEARCHING               548
#define IDS_UNTITLED                549
#define IDS_LOADED_REFERENCES       552
#define IDS_SORTING_PROGRESS        555
#define IDS_SORT_FIELD_TWICE        556
#define IDS_SEARCH_RESULTS          557
#define IDS_CONFIRM_DRAG            558
#define IDS_STATUS_LINE             559
#define IDS_PRINT_NOT_STARTED       560
#define IDS_PRINT_NO_MEMORY         561
#define IDS_PAGE_NUMBER             562
#define IDS_ALLOCATION_FAILED       563
#define IDS_SEPARATOR_WHITESPACE    564
#define IDS_BIBLIOGRAPHY            567
#define IDS_ASCENDING               570
#define IDS_DESCENDING              571
#define IDS_NARROW_SEARCH_TITLE     572
#define IDS_EXPAND_SEARCH_TITLE     573
#define IDS_SOURCE_LABEL_JOURNAL    574
#define IDS_SOURCE_LABEL_BOOK       575
#define IDS_SOURCE_LABEL_REPORT     576
#define IDS_SEARCHABLE              577
#define IDS_CHOOSE_EXPORT_FORMAT    578
#define IDS_TOO_MANY_FILES          579
#define IDS_KEEP_CHANGES            581
#define IDS_SCANNED_REFERENCES      585
#define IDS_SCANNING                586
#define IDS_FORMAT_NAME_EXISTS      588
#define IDS_FORMAT_LINE_BREAK       589
/* Printing was asked for, but the system has no printer. */
#define IDS_NO_PRINTER              590

/* Failures of loading and saving files that the program reports beyond the library's own
   messages; "%s" is the file name (the filter's for IDS_FILTER_FAILED), "%s" after it the
   system's description of the error. */
#define IDS_FILTER_FAILED           591
#define IDS_READ_FAILED             592
#define IDS_WRITE_FAILED            593
#define IDS_SAVE_STOPPED            594
#define IDS_REPLACE_FAILED          595
#define IDS_NAME_TOO_LONG           596
/* Questions before saving a file's window that a narrowing search left with only some of the
   file's references. */
#define IDS_SAVE_NARROWED           610
#define IDS_CLOSE_NARROWED          611
/* Messages about reading and saving files; "%s" is the file or folder name, "%lu" a count. */
#define IDS_FILE_READ_ONLY          597
#define IDS_FOLDER_REFUSES_FILES    598
#define IDS_UTF16_FILE              599
#define IDS_UNMAPPED_CHARACTERS     600
/* A bibliography format that the settings could not give back whole is not stored. */
#define IDS_FORMAT_TOO_LONG         620
#define IDS_FORMAT_NAME_TOO_LONG    621
#define IDS_FORMAT_NOT_STORED       622

#endif
