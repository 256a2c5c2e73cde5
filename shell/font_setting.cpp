#include "font_setting.h"


#include <cstdio>
#include <cstring>
#include <new>

#include "io/font_description.h"

void FontFromConfig(FontSetting& setting, int printerKind, const char* key)
{
    DestroyFontSetting(setting);
    setting.printerKind = printerKind;
    FontDescription stored;
    if (ReadFontSetting(key, stored)) {
        LOGFONTA* description = new (std::nothrow) LOGFONTA();
        if (description) {
            description->lfHeight = stored.height;
            description->lfWeight = stored.weight;
            description->lfItalic = static_cast<BYTE>(stored.italic);
            description->lfUnderline = static_cast<BYTE>(stored.underline);
            description->lfCharSet = DEFAULT_CHARSET;
            std::snprintf(description->lfFaceName, sizeof description->lfFaceName, "%s",
                          stored.faceName);
            setting.font = CreateFontIndirectA(description);
            if (setting.font)
                setting.description = description;
            else
                delete description;
        }
    }
    if (!setting.font)
        setting.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void DestroyFontSetting(FontSetting& setting)
{
    if (setting.description && setting.font)
        DeleteObject(setting.font);
    delete setting.description;
    setting.description = nullptr;
    setting.font = nullptr;
}

namespace {

// The default printer named in the profile ("name,driver,port"), or null when there is none
// or it cannot be opened.
HDC CreateDefaultPrinterDC()
{
    char device[81] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    char* driver = std::strchr(device, ',');
    char* port = driver ? std::strchr(driver + 1, ',') : nullptr;
    if (!driver || !port || driver == device)
        return nullptr;
    *driver++ = '\0';
    *port++ = '\0';
    return CreateDCA(driver, device, port, nullptr);
}

// Runs the chooser into `chosen`, which holds the starting font when `fromCurrent` is set.
bool RunFontChooser(FontSetting& setting, HWND owner, LOGFONTA& chosen, bool fromCurrent)
{
    HDC printer = setting.printerKind ? CreateDefaultPrinterDC() : nullptr;
    HDC screen = GetDC(owner);
    CHOOSEFONTA& request = setting.request;
    request = CHOOSEFONTA();
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hDC = printer ? printer : screen;
    request.lpLogFont = &chosen;
    request.Flags = CF_BOTH | CF_EFFECTS | (fromCurrent ? CF_INITTOLOGFONTSTRUCT : 0);
    if (printer)
        request.Flags |= CF_WYSIWYG | CF_SCALABLEONLY;
    const bool ok = ChooseFontA(&request) != FALSE;
    // A height chosen on the printer is in the printer's units: the description keeps the
    // screen's, and printing scales it to the page.
    if (ok && request.iPointSize > 0)
        chosen.lfHeight = -MulDiv(request.iPointSize, GetDeviceCaps(screen, LOGPIXELSY), 720);
    request.lpLogFont = nullptr;
    request.hDC = nullptr;
    ReleaseDC(owner, screen);
    if (printer)
        DeleteDC(printer);
    return ok;
}

}  // namespace

bool ChooseFontSetting(FontSetting& setting, HWND owner)
{
    LOGFONTA* chosen = new (std::nothrow) LOGFONTA();
    if (!chosen)
        return false;
    const bool fromCurrent = setting.description != nullptr;
    if (fromCurrent)
        *chosen = *setting.description;
    HFONT font = RunFontChooser(setting, owner, *chosen, fromCurrent) ? CreateFontIndirectA(chosen)
                                                                      : nullptr;
    if (!font) {
        delete chosen;
        return false;
    }
    DestroyFontSetting(setting);
    setting.font = font;
    setting.description = chosen;
    return true;
}

int StoreFontSetting(const FontSetting& setting, const char* key)
{
    if (!setting.description)
        return -1;
    const LOGFONTA& from = *setting.description;
    FontDescription stored;
    std::snprintf(stored.faceName, sizeof stored.faceName, "%s", from.lfFaceName);
    stored.height = from.lfHeight;
    stored.weight = from.lfWeight;
    stored.italic = from.lfItalic ? 1 : 0;
    stored.underline = from.lfUnderline ? 1 : 0;
    return WriteFontSetting(key, stored);
}
