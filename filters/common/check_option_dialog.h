// The options dialog of a filter with one on/off option (Windows only): a dialog template of
// the filter's own resources with one check box, OK and Cancel.
#ifndef CARTULAN_FILTERS_COMMON_CHECK_OPTION_DIALOG_H
#define CARTULAN_FILTERS_COMMON_CHECK_OPTION_DIALOG_H

struct CheckOption {
    const char* section;  // where the option is stored (configuration store)
    const char* key;
    int defaultValue;
    int checkBoxId;
};

constexpr int kCheckOptionCancelled = -1;

// Runs the modal dialog `templateName` over `owner`, its check box set from the stored option
// (1 checked). OK stores 1 or 0 and returns the result of the store; Cancel stores nothing
// and returns kCheckOptionCancelled.
int RunCheckOptionDialog(void* owner, const char* templateName, const CheckOption& option);

#endif
