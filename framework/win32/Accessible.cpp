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
    if (!Self(child) || !Facts(facts) || facts.Name.empty()) {
      return FStandard->get_accName(child, name);
    }
    return Answer(facts.Name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    TAccessibleFacts facts;
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
    if (!Self(child) || !Facts(facts) || !facts.Role) {
      return FStandard->get_accRole(child, role);
    }
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = facts.Role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT hr = FStandard->get_accState(child, state);
    TAccessibleFacts facts;
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
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override { return FStandard->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override {
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
    return FStandard->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return FStandard->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return FStandard->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    return FStandard->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return FStandard->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
    return FStandard->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
    return FStandard->accNavigate(d, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
    return FStandard->accHitTest(x, y, c);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
    return FStandard->accDoDefaultAction(c);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return FStandard->put_accName(c, n); }

private:
  static bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  bool Facts(TAccessibleFacts& facts) const {
    bool known = false;
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

HRESULT STDMETHODCALLTYPE TAccessibleObject::QueryInterface(REFIID riid, void** out) {
  if (!out) {
    return E_POINTER;
  }
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TAccessibleObject::AddRef() { return ULONG(InterlockedIncrement(&FRefs)); }

ULONG STDMETHODCALLTYPE TAccessibleObject::Release() {
  const LONG refs = InterlockedDecrement(&FRefs);
  if (refs == 0) {
    delete this;
  }
  return ULONG(refs);
}

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
