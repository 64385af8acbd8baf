#include "framework/win32/Accessible.h"

#include "framework/GuardedCall.h"

#include <oleacc.h>

namespace {

// (The interface's identity is spelled through __uuidof: the import libraries' IID_IAccessible
// is a code thunk under this toolchain, not the identity.)

// The window's standard client object with the control's own answers for role, name, value and
// state.
class TAccessibleProxy final : public TAccessibleObject {
public:
  TAccessibleProxy(HWND window, IAccessible* standard, TAccessibleFactsSource source)
      : FWindow(window), FStandard(standard), FSource(source) {}
  ~TAccessibleProxy() { FStandard->Release(); }

  // IDispatch: the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return FStandard->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return FStandard->GetTypeInfo(i, l, t);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return FStandard->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    return FStandard->Invoke(d, r, l, f, p, v, e, a);
  }

  // IAccessible: the control's answers for itself.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(child, facts)) {
      return Answer(own->Name, name);
    }
    if (!Self(child) || !Facts(facts) || facts.Name.empty()) {
      return FStandard->get_accName(child, name);
    }
    return Answer(facts.Name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    TAccessibleFacts facts;
    if (Own(child, facts)) {
      return Nothing(value);
    }
    if (!Self(child) || !Facts(facts) || !facts.Value) {
      return FStandard->get_accValue(child, value);
    }
    return Answer(*facts.Value, value);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    TAccessibleFacts facts;
    if (!Self(child) || !Facts(facts) || !facts.SetValue) {
      return FStandard->put_accValue(child, value);
    }
    if (facts.ReadOnly) {
      return E_ACCESSDENIED;
    }
    bool accepted = false;
    GuardedCall([&] {
      accepted = facts.SetValue(value ? std::wstring(value, SysStringLen(value)) : std::wstring());
    });
    return accepted ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    TAccessibleFacts facts;
    if (!role) {
      return E_INVALIDARG;
    }
    if (const TAccessibleElement* own = Own(child, facts)) {
      return Number(own->Role, role);
    }
    if (!Self(child) || !Facts(facts) || !facts.Role) {
      return FStandard->get_accRole(child, role);
    }
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = facts.Role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(child, facts)) {
      return state ? Number(own->State, state) : E_INVALIDARG;
    }
    const HRESULT hr = FStandard->get_accState(child, state);
    if (SUCCEEDED(hr) && state && state->vt == VT_I4 && Self(child) && Facts(facts)) {
      if (facts.ReadOnly) {
        state->lVal |= STATE_SYSTEM_READONLY;
      }
      if (IsWindowEnabled(FWindow) && IsWindowVisible(FWindow)) {
        state->lVal |= STATE_SYSTEM_FOCUSABLE;
      }
      if (GetFocus() == FWindow) {
        state->lVal |= STATE_SYSTEM_FOCUSED;
      }
    }
    return hr;
  }

  // The rest: the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return FStandard->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
    const HRESULT hr = FStandard->get_accChildCount(n);
    TAccessibleFacts facts;
    if (SUCCEEDED(hr) && n && Facts(facts)) {
      *n += long(facts.Children.size());
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override {
    TAccessibleFacts facts;
    if (Own(c, facts)) {
      if (d) {
        *d = nullptr;
      }
      return S_FALSE; // a simple element of this object
    }
    return FStandard->get_accChild(c, d);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override {
    return FStandard->get_accDescription(c, d);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return FStandard->get_accHelp(c, h); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
    return FStandard->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(c, facts)) {
      return own->KeyboardShortcut.empty() ? Nothing(k) : Answer(own->KeyboardShortcut, k);
    }
    return FStandard->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return FStandard->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return FStandard->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(c, facts)) {
      return own->DefaultAction.empty() ? Nothing(a) : Answer(own->DefaultAction, a);
    }
    return FStandard->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return FStandard->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(c, facts)) {
      if (!x || !y || !w || !h) {
        return E_INVALIDARG;
      }
      const RECT r = own->State & STATE_SYSTEM_INVISIBLE ? RECT{} : own->Screen;
      *x = r.left;
      *y = r.top;
      *w = r.right - r.left;
      *h = r.bottom - r.top;
      return S_OK;
    }
    return FStandard->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
    // The control's own parts follow the platform's children; next and previous walk them.
    TAccessibleFacts facts;
    const long before = StandardCount();
    if (!e || !Facts(facts) || facts.Children.empty()) {
      return FStandard->accNavigate(d, s, e);
    }
    const long last = before + long(facts.Children.size());
    const bool forward = d == NAVDIR_NEXT || d == NAVDIR_DOWN || d == NAVDIR_RIGHT;
    const bool back = d == NAVDIR_PREVIOUS || d == NAVDIR_UP || d == NAVDIR_LEFT;
    long to = 0;
    if (Self(s) && d == NAVDIR_LASTCHILD) {
      to = last;
    } else if (Self(s) && d == NAVDIR_FIRSTCHILD && before == 0) {
      to = 1;
    } else if (s.vt == VT_I4 && s.lVal > before && s.lVal <= last && (forward || back)) {
      to = forward ? (s.lVal < last ? s.lVal + 1 : 0) : (s.lVal > 1 ? s.lVal - 1 : 0);
    } else if (s.vt == VT_I4 && s.lVal == before && before > 0 && forward) {
      to = before + 1;
    } else {
      return FStandard->accNavigate(d, s, e);
    }
    VariantInit(e);
    if (!to) {
      return S_FALSE;
    }
    e->vt = VT_I4;
    e->lVal = to;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
    TAccessibleFacts facts;
    if (c && Facts(facts)) {
      const POINT p{x, y};
      for (std::size_t i = 0; i < facts.Children.size(); ++i) {
        const TAccessibleElement& own = facts.Children[i];
        if (!(own.State & STATE_SYSTEM_INVISIBLE) && PtInRect(&own.Screen, p)) {
          VariantInit(c);
          c->vt = VT_I4;
          c->lVal = StandardCount() + long(i) + 1;
          return S_OK;
        }
      }
    }
    return FStandard->accHitTest(x, y, c);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
    TAccessibleFacts facts;
    if (const TAccessibleElement* own = Own(c, facts)) {
      bool done = false;
      if (!own->DefaultAction.empty() && facts.DoChild) {
        const std::size_t index = std::size_t(c.lVal - StandardCount() - 1);
        GuardedCall([&] { done = facts.DoChild(index); });
      }
      return done ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    return FStandard->accDoDefaultAction(c);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return FStandard->put_accName(c, n); }

private:
  static bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  long StandardCount() const {
    long n = 0;
    return SUCCEEDED(FStandard->get_accChildCount(&n)) ? n : 0;
  }
  // One of the control's own parts (numbered after the platform's children), or none; facts
  // are filled on the way.
  const TAccessibleElement* Own(const VARIANT& child, TAccessibleFacts& facts) const {
    if (child.vt != VT_I4 || child.lVal <= 0 || !Facts(facts)) {
      return nullptr;
    }
    const long index = child.lVal - StandardCount() - 1;
    return index >= 0 && std::size_t(index) < facts.Children.size() ? &facts.Children[std::size_t(index)]
                                                                    : nullptr;
  }
  static HRESULT Number(long value, VARIANT* out) {
    if (!out) {
      return E_INVALIDARG;
    }
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
  }
  static HRESULT Nothing(BSTR* out) {
    if (out) {
      *out = nullptr;
    }
    return S_FALSE;
  }
  bool Facts(TAccessibleFacts& facts) const {
    bool known = false;
    facts = TAccessibleFacts{}; // asked afresh, never added to an earlier answer
    GuardedCall([&] { known = IsWindow(FWindow) && FSource(FWindow, facts); });
    return known;
  }
  static HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (!out) {
      return E_INVALIDARG;
    }
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  HWND FWindow;
  IAccessible* FStandard;
  TAccessibleFactsSource FSource;
};

} // namespace

LRESULT AccessibleObjectResult(HWND window, WPARAM wparam, LPARAM lparam, TAccessibleFactsSource source) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) {
    return 0;
  }
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))) ||
      !standard) {
    return 0;
  }
  auto* proxy = new TAccessibleProxy(window, standard, source);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(proxy));
  proxy->Release(); // the result holds its own reference
  return result;
}

std::wstring AccessibleWide(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring out(std::size_t(n > 0 ? n : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}

std::string AccessibleNarrow(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}
