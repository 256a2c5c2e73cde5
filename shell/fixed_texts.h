// The few texts of the program itself: they are shown when no language library can be used,
// or are the same in every language.
#ifndef CARTULAN_SHELL_FIXED_TEXTS_H
#define CARTULAN_SHELL_FIXED_TEXTS_H

#define TEXT_CLASSES_FAILED "Cartulan could not initialize its window classes"
#define TEXT_NO_LANGUAGE "Cannot load any language resources!\r\nWhere is CTNEN.DLL?"
#define TEXT_FATAL_TITLE "Cartulan: Fatal error!"
#define TEXT_NO_TOOLBAR "Toolbar not created!"
#define TEXT_NO_STATUS_BAR "Status Bar not created!"

#define FRAME_CLASS "RefFrame"
#define CHILD_CLASS "RefChild"

#define DEFAULT_LANGUAGE_LIBRARY "CTNEN.DLL"

#endif
