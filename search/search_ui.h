// What a search needs from the user interface. The shell implements it for its frame and
// progress window; tests implement it with fakes. The search itself shows nothing.
#ifndef CARTULAN_SEARCH_SEARCH_UI_H
#define CARTULAN_SEARCH_SEARCH_UI_H

class Database;
class ReferenceList;

class SearchUi {
public:
    virtual ~SearchUi() = default;

    // A search over every searchable database into `result` begins: show the progress window
    // with "Searching..." and keep it in result.progressWindow, disable the frame window and
    // show the wait cursor.
    virtual void searchBegun(ReferenceList& result) = 0;
    // Called before every 16th reference of each list searched (the first included): let
    // pending window messages be handled so that the progress window is drawn.
    virtual void pumpMessages() = 0;
    // Restore the cursor, enable the frame window, close the progress window and clear
    // result.progressWindow.
    virtual void searchEnded(ReferenceList& result) = 0;

    // The databases of the database windows in window order, starting at the active window
    // and going down from the top: the first for null, then the one after `database`; null
    // after the last.
    virtual Database* nextInWindowOrder(const Database* database) = 0;
};

#endif
