#include "dialog_template.h"

#include <cstring>

namespace lang_test {

namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
constexpr WORD kExtendedSignature = 0xFFFF;

// Reads little-endian values and UTF-16 strings from a byte range, remembering whether any
// read ran past its end.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Take()
    {
        T value{};
        if (pos_ + sizeof(T) > size_) {
            ok_ = false;
            pos_ = size_;
            return value;
        }
        std::memcpy(&value, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    std::string TakeString()
    {
        std::wstring wide;
        for (WCHAR c = Take<WCHAR>(); ok_ && c != 0; c = Take<WCHAR>())
            wide.push_back(c);
        return Narrow(wide);
    }

    NameOrOrdinal TakeNameOrOrdinal()
    {
        NameOrOrdinal result;
        WORD first = Take<WORD>();
        if (!ok_ || first == 0)
            return result;
        result.present = true;
        if (first == kOrdinalMark) {
            result.isOrdinal = true;
            result.ordinal = Take<WORD>();
            return result;
        }
        pos_ -= sizeof(WORD);
        result.name = TakeString();
        return result;
    }

    void Skip(size_t bytes)
    {
        if (pos_ + bytes > size_) {
            ok_ = false;
            pos_ = size_;
            return;
        }
        pos_ += bytes;
    }

    // Items start on 4-byte boundaries of the resource data.
    void AlignToDword() { Skip((4 - pos_ % 4) % 4); }

private:
    static std::string Narrow(const std::wstring& wide)
    {
        if (wide.empty())
            return "";
        int length = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), &text[0],
                            length, nullptr, nullptr);
        return text;
    }

    const BYTE* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

std::string ClassName(const NameOrOrdinal& cls)
{
    if (!cls.isOrdinal)
        return cls.name;
    switch (cls.ordinal) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    }
    return "#" + std::to_string(cls.ordinal);
}

void ReadHeaderTail(Reader& in, DialogTemplate& out)
{
    out.x = in.Take<short>();
    out.y = in.Take<short>();
    out.cx = in.Take<short>();
    out.cy = in.Take<short>();
    out.menu = in.TakeNameOrOrdinal();
    out.windowClass = in.TakeNameOrOrdinal();
    out.title = in.TakeString();
    out.hasFont = (out.style & DS_SETFONT) != 0;
    if (out.hasFont) {
        out.pointSize = in.Take<WORD>();
        if (out.extended) {
            in.Take<WORD>();  // weight
            in.Take<BYTE>();  // italic
            in.Take<BYTE>();  // character set
        }
        out.faceName = in.TakeString();
    }
}

void ReadControl(Reader& in, bool extended, ControlTemplate& control)
{
    in.AlignToDword();
    if (extended) {
        in.Take<DWORD>();  // help id
        control.exStyle = in.Take<DWORD>();
        control.style = in.Take<DWORD>();
    } else {
        control.style = in.Take<DWORD>();
        control.exStyle = in.Take<DWORD>();
    }
    control.x = in.Take<short>();
    control.y = in.Take<short>();
    control.cx = in.Take<short>();
    control.cy = in.Take<short>();
    control.id = extended ? static_cast<int>(in.Take<DWORD>()) : static_cast<short>(in.Take<WORD>());
    control.className = ClassName(in.TakeNameOrOrdinal());
    control.text = in.TakeNameOrOrdinal();
    WORD extra = in.Take<WORD>();
    // The classic layout counts the size word itself in a non-zero size.
    if (extra)
        in.Skip(extended ? extra : extra - sizeof(WORD));
}

}  // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& out)
{
    out = DialogTemplate();
    if (!data)
        return false;
    Reader in(static_cast<const BYTE*>(data), size);
    // The extended layout starts with version 1 and the signature; the classic one with the
    // style.
    DWORD first = in.Take<DWORD>();
    out.extended = LOWORD(first) == 1 && HIWORD(first) == kExtendedSignature;
    if (out.extended) {
        in.Take<DWORD>();  // help id
        out.exStyle = in.Take<DWORD>();
        out.style = in.Take<DWORD>();
    } else {
        out.style = first;
        out.exStyle = in.Take<DWORD>();
    }
    WORD count = in.Take<WORD>();
    ReadHeaderTail(in, out);
    for (WORD i = 0; in.ok() && i < count; ++i) {
        ControlTemplate control;
        ReadControl(in, out.extended, control);
        if (in.ok())
            out.controls.push_back(control);
    }
    return in.ok();
}

bool LoadDialogTemplate(HMODULE module, const char* name, DialogTemplate& out)
{
    HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return ParseDialogTemplate(data, SizeofResource(module, found), out);
}

}  // namespace lang_test
