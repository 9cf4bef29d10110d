// Event-sink tables: which member function of a window handles which event of which of its
// hosted ActiveX controls. Each row names the control id, the event's dispatch id and the
// event's parameter type string (one VARTYPE byte per parameter, 0x40 added for "by
// reference"), and the handler's own parameter types must say the same:
//
//     static const EventSinkEntry kEvents[] = {
//         OnEvent<IDC_BROWSER, 252, &CMyDlg::OnNavigateComplete2>("\x09\x4C"),
//     };
//     static const EventSinkMap map(CDialogEx::GetEventSinkMap(), kEvents);
//
// Handler parameters and their type bytes: IDispatch* 0x09, VARIANT* 0x4C (the event's VARIANT
// itself, by reference), BSTR 0x08, long 0x03, short 0x02, BOOL 0x0B, and BOOL* 0x4B, which
// maps onto the event's VARIANT_BOOL by reference: what the handler stores there goes back to
// the control as VARIANT_TRUE or VARIANT_FALSE when it returns.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <tuple>
#include <utility>

class CWnd;

struct EventSinkEntry {
    UINT nCtrlID;
    DISPID dispid;
    const char* pbParams; // the parameter type string, zero-terminated
    HRESULT (*handler)(CWnd& wnd, DISPPARAMS* pParams);
};

struct EventSinkMap {
    const EventSinkMap* base;
    const EventSinkEntry* first;
    const EventSinkEntry* last;

    template <std::size_t N>
    EventSinkMap(const EventSinkMap* baseMap, const EventSinkEntry (&entries)[N])
        : base(baseMap), first(entries), last(entries + N) {}
    explicit EventSinkMap(const EventSinkMap* baseMap)
        : base(baseMap), first(nullptr), last(nullptr) {}

    // The first row, from the most derived table down, for this control and event.
    const EventSinkEntry* Find(UINT nCtrlID, DISPID dispid) const {
        for (const EventSinkMap* map = this; map; map = map->base) {
            for (const EventSinkEntry* e = map->first; e != map->last; ++e) {
                if (e->nCtrlID == nCtrlID && e->dispid == dispid)
                    return e;
            }
        }
        return nullptr;
    }
};

namespace eventsink_detail {

// One event argument seen as the handler's parameter type T. Arguments that are not already of
// the declared type are converted into a copy that the argument owns.
template <class T> struct Arg;

template <VARTYPE Vt> class ConvertedArg {
public:
    explicit ConvertedArg(VARIANTARG& arg) {
        ::VariantInit(&m_value);
        m_hr = ::VariantChangeType(&m_value, &arg, 0, Vt);
    }
    ~ConvertedArg() { ::VariantClear(&m_value); }
    ConvertedArg(const ConvertedArg&) = delete;
    ConvertedArg& operator=(const ConvertedArg&) = delete;
    HRESULT Status() const { return m_hr; }

protected:
    VARIANT m_value;
    HRESULT m_hr;
};

template <> struct Arg<VARIANT*> {
    static constexpr char kVts = 0x4C;
    explicit Arg(VARIANTARG& arg) : m_p(arg.vt == (VT_BYREF | VT_VARIANT) ? arg.pvarVal : &arg) {}
    HRESULT Status() const { return S_OK; }
    VARIANT* Get() { return m_p; }
    VARIANT* m_p;
};

template <> struct Arg<IDispatch*> : ConvertedArg<VT_DISPATCH> {
    static constexpr char kVts = 0x09;
    using ConvertedArg::ConvertedArg;
    IDispatch* Get() { return m_value.pdispVal; }
};

template <> struct Arg<BSTR> : ConvertedArg<VT_BSTR> {
    static constexpr char kVts = 0x08;
    using ConvertedArg::ConvertedArg;
    BSTR Get() { return m_value.bstrVal; }
};

template <> struct Arg<long> : ConvertedArg<VT_I4> {
    static constexpr char kVts = 0x03;
    using ConvertedArg::ConvertedArg;
    long Get() { return m_value.lVal; }
};

template <> struct Arg<short> : ConvertedArg<VT_I2> {
    static constexpr char kVts = 0x02;
    using ConvertedArg::ConvertedArg;
    short Get() { return m_value.iVal; }
};

template <> struct Arg<BOOL> : ConvertedArg<VT_BOOL> {
    static constexpr char kVts = 0x0B;
    using ConvertedArg::ConvertedArg;
    BOOL Get() { return m_value.boolVal != VARIANT_FALSE; }
};

template <> struct Arg<BOOL*> {
    static constexpr char kVts = 0x4B;
    explicit Arg(VARIANTARG& arg)
        : m_pTarget(arg.vt == (VT_BYREF | VT_BOOL) ? arg.pboolVal : nullptr),
          m_value(m_pTarget && *m_pTarget != VARIANT_FALSE) {}
    ~Arg() {
        if (m_pTarget)
            *m_pTarget = m_value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    Arg(const Arg&) = delete;
    Arg& operator=(const Arg&) = delete;
    HRESULT Status() const { return m_pTarget ? S_OK : DISP_E_TYPEMISMATCH; }
    BOOL* Get() { return &m_value; }
    VARIANT_BOOL* m_pTarget;
    BOOL m_value;
};

template <class> struct Handler;
template <class C, class... A> struct Handler<void (C::*)(A...)> {
    using Owner = C;
    static constexpr std::size_t kArity = sizeof...(A);

    static constexpr bool Matches(const char* pbParams, std::size_t cb) {
        const char expected[] = {Arg<A>::kVts..., 0};
        if (cb != kArity)
            return false;
        for (std::size_t i = 0; i < cb; ++i) {
            if (pbParams[i] != expected[i])
                return false;
        }
        return true;
    }

    template <void (C::*Fn)(A...), std::size_t... I>
    static HRESULT Call(CWnd& wnd, DISPPARAMS* pParams, std::index_sequence<I...>) {
        // Arguments come last-first in rgvarg.
        std::tuple<Arg<A>...> args(pParams->rgvarg[pParams->cArgs - 1 - I]...);
        HRESULT hr = S_OK;
        ((hr = SUCCEEDED(hr) ? std::get<I>(args).Status() : hr), ...);
        if (FAILED(hr))
            return hr;
        (static_cast<C&>(wnd).*Fn)(std::get<I>(args).Get()...);
        return S_OK;
    }
};

template <auto Fn> HRESULT Dispatch(CWnd& wnd, DISPPARAMS* pParams) {
    using H = Handler<decltype(Fn)>;
    if (!pParams || pParams->cArgs < H::kArity || (H::kArity && !pParams->rgvarg))
        return DISP_E_BADPARAMCOUNT;
    return H::template Call<Fn>(wnd, pParams, std::make_index_sequence<H::kArity>());
}

} // namespace eventsink_detail

// A row of an event-sink table; a type string that does not fit the handler does not compile.
template <UINT CtrlID, DISPID Dispid, auto Fn, std::size_t N>
consteval EventSinkEntry OnEvent(const char (&pbParams)[N]) {
    if (!eventsink_detail::Handler<decltype(Fn)>::Matches(pbParams, N - 1))
        throw "the parameter type string does not match the handler's parameters";
    return EventSinkEntry{CtrlID, Dispid, pbParams, &eventsink_detail::Dispatch<Fn>};
}
