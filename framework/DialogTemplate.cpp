#include "DialogTemplate.h"

#include <objbase.h>

#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr WORD kDlgInitLoadFromStream = 0x0376;

// Walks a template's words without ever reading past its end; a template that does not parse
// is treated as having no ActiveX items.
class CTemplateReader {
public:
    CTemplateReader(const BYTE* p, std::size_t cb) : m_p(p), m_cb(cb) {}

    std::size_t Offset() const { return m_pos; }
    bool Ok() const { return m_ok; }

    template <class T> T Read() {
        T value{};
        if (m_pos + sizeof(T) > m_cb) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_p + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    void Skip(std::size_t cb) {
        if (m_pos + cb > m_cb)
            m_ok = false;
        else
            m_pos += cb;
    }
    void AlignDword() { Skip((4 - m_pos % 4) % 4); }

    // sz_Or_Ord: nothing (0), an ordinal (0xFFFF, n) or a zero-terminated string, which is
    // returned when asked for.
    void ReadSzOrOrd(std::wstring* pText = nullptr) {
        WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            Read<WORD>();
            return;
        }
        for (WORD ch = first; m_ok && ch; ch = Read<WORD>()) {
            if (pText)
                pText->push_back(static_cast<wchar_t>(ch));
        }
    }

private:
    const BYTE* m_p;
    std::size_t m_cb;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// The fixed head of a DLGTEMPLATEEX up to its item count, which the copy rewrites.
constexpr std::size_t kItemCountOffset = 2 + 2 + 4 + 4 + 4;

std::optional<CLSID> ClassIdOf(const std::wstring& className) {
    CLSID clsid;
    if (className.size() != 38 || className.front() != L'{' ||
        FAILED(::CLSIDFromString(className.c_str(), &clsid)))
        return std::nullopt;
    return clsid;
}

} // namespace

CDialogTemplate::CDialogTemplate(const DLGTEMPLATE* pTemplate, std::size_t cbTemplate)
    : m_pOriginal(pTemplate) {
    const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
    CTemplateReader in(p, cbTemplate);
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != 0xFFFF)
        return;
    in.Skip(4 + 4);
    DWORD dwStyle = in.Read<DWORD>();
    WORD cItems = in.Read<WORD>();
    in.Skip(4 * sizeof(short));
    in.ReadSzOrOrd(); // menu
    in.ReadSzOrOrd(); // window class
    in.ReadSzOrOrd(); // title
    if (dwStyle & (DS_SETFONT | DS_SHELLFONT)) {
        in.Skip(2 + 2 + 1 + 1);
        in.ReadSzOrOrd();
    }
    const std::size_t cbHead = in.Offset();

    struct Span {
        std::size_t first, last;
    };
    std::vector<Span> kept;
    std::vector<OleControlItem> oleItems;
    for (WORD i = 0; i < cItems && in.Ok(); ++i) {
        in.AlignDword();
        const std::size_t first = in.Offset();
        in.Skip(4); // help id
        OleControlItem item{};
        item.dwExStyle = in.Read<DWORD>();
        item.dwStyle = in.Read<DWORD>();
        short x = in.Read<short>(), y = in.Read<short>();
        short cx = in.Read<short>(), cy = in.Read<short>();
        item.rcDialogUnits = RECT{x, y, x + cx, y + cy};
        item.nID = static_cast<int>(in.Read<DWORD>());
        std::wstring className;
        in.ReadSzOrOrd(&className);
        in.ReadSzOrOrd();
        in.Skip(in.Read<WORD>());
        if (auto clsid = ClassIdOf(className)) {
            item.clsid = *clsid;
            item.nPlainBefore = kept.size();
            oleItems.push_back(item);
        } else {
            kept.push_back({first, in.Offset()});
        }
    }
    if (!in.Ok() || oleItems.empty())
        return;

    // The copy: the head, then every kept item at a DWORD boundary.
    std::vector<BYTE> bytes(p, p + cbHead);
    for (const Span& span : kept) {
        bytes.resize((bytes.size() + 3) & ~std::size_t{3});
        bytes.insert(bytes.end(), p + span.first, p + span.last);
    }
    WORD cKept = static_cast<WORD>(kept.size());
    std::memcpy(bytes.data() + kItemCountOffset, &cKept, sizeof(cKept));
    m_stripped.resize((bytes.size() + 3) / 4);
    std::memcpy(m_stripped.data(), bytes.data(), bytes.size());
    m_oleItems = std::move(oleItems);
}

const DLGTEMPLATE* CDialogTemplate::Template() const {
    return m_stripped.empty() ? m_pOriginal
                              : reinterpret_cast<const DLGTEMPLATE*>(m_stripped.data());
}

DlgInitRecord FindDlgInitStream(const BYTE* pDlgInit, std::size_t cbDlgInit, int nID) {
    // Records: control id (WORD), kind (WORD), length (DWORD), data; a zero id ends the list.
    CTemplateReader in(pDlgInit, cbDlgInit);
    while (true) {
        WORD id = in.Read<WORD>();
        WORD kind = in.Read<WORD>();
        DWORD cb = in.Read<DWORD>();
        if (!in.Ok() || id == 0)
            return {};
        std::size_t offset = in.Offset();
        in.Skip(cb);
        if (!in.Ok())
            return {};
        if (id == static_cast<WORD>(nID) && kind == kDlgInitLoadFromStream)
            return {pDlgInit + offset, cb};
    }
}
