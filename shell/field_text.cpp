#include "field_text.h"

namespace {

bool IsComboBox(HWND control)
{
    char name[16];
    return GetClassNameA(control, name, sizeof name) && lstrcmpiA(name, "ComboBox") == 0;
}

}  // namespace

std::string ControlText(HWND control)
{
    const int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void ShowFieldText(HWND control, const char* text)
{
    // 0 lifts the limit of 30,000 characters that new edit controls start with.
    SendMessageA(control, IsComboBox(control) ? CB_LIMITTEXT : EM_LIMITTEXT, 0, 0);
    SetWindowTextA(control, text != nullptr ? text : "");
}

int StoreControlText(Reference& reference, ReferenceField field, HWND control, bool oneLine)
{
    std::string text = ControlText(control);
    for (size_t i = 0; oneLine && i < text.size(); ++i) {
        if (text[i] != '\r')
            continue;
        text[i] = ' ';
        if (i + 1 < text.size())
            text[++i] = ' ';
    }
    return SetReferenceText(reference, field, text.empty() ? nullptr : text.c_str());
}
