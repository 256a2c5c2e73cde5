#include "font_setting.h"

#include <cstdio>
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
