#include "framework/win32/AccessibleElements.h"

#include "framework/win32/AccessibleObject.h"

#include "framework/GuardedCall.h"

#include <oleacc.h>

#include <algorithm>

namespace {

class TElementsObject final : public TAccessibleObject {
public:
  TElementsObject(HWND window, TAccessibleElementsSource source, TAccessibleElementAction action)
      : FWindow(window), FSource(source), FAction(action) {}

  // IDispatch: not offered (clients use the interface's methods).
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (n) {
      *n = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) {
      return E_INVALIDARG;
    }
    return AccessibleObjectFromWindow(FWindow, DWORD(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    TAccessibleElements e;
    if (!count) {
      return E_INVALIDARG;
    }
    if (!Facts(e)) {
      return E_FAIL;
    }
    *count = long(e.Children.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child) {
      *child = nullptr;
    }
    return S_FALSE; // the children are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, [](const TAccessibleElement& x) { return x.Name; });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return Nothing(value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return Nothing(text); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return Nothing(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) {
      *topic = 0;
    }
    return Nothing(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return Text(child, text, [](const TAccessibleElement& x) { return x.KeyboardShortcut; });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return Text(child, text, [](const TAccessibleElement& x) { return x.DefaultAction; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Number(child, role, [](const TAccessibleElement& x) { return x.Role; });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Number(child, state, [](const TAccessibleElement& x) { return x.State; });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    TAccessibleElements e;
    if (!focus) {
      return E_INVALIDARG;
    }
    VariantInit(focus);
    if (!Facts(e)) {
      return E_FAIL;
    }
    for (std::size_t i = 0; i < e.Children.size(); ++i) {
      if (e.Children[i].State & STATE_SYSTEM_FOCUSED) {
        focus->vt = VT_I4;
        focus->lVal = long(i + 1);
        return S_OK;
      }
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection) {
      VariantInit(selection);
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    TAccessibleElements e;
    if (!x || !y || !w || !h || !Facts(e)) {
      return E_INVALIDARG;
    }
    const TAccessibleElement* element = Element(e, child);
    if (!element) {
      return E_INVALIDARG;
    }
    const RECT r = element->State & STATE_SYSTEM_INVISIBLE ? RECT{} : element->Screen;
    *x = r.left;
    *y = r.top;
    *w = r.right - r.left;
    *h = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    TAccessibleElements e;
    if (!end || !Facts(e)) {
      return E_INVALIDARG;
    }
    VariantInit(end);
    // Among the children shown, in their order.
    std::vector<long> shown;
    for (std::size_t i = 0; i < e.Children.size(); ++i) {
      if (!(e.Children[i].State & STATE_SYSTEM_INVISIBLE)) {
        shown.push_back(long(i + 1));
      }
    }
    long to = 0;
    if (!shown.empty() && IsSelf(start)) {
      to = direction == NAVDIR_FIRSTCHILD ? shown.front() : direction == NAVDIR_LASTCHILD ? shown.back() : 0;
    } else if (!shown.empty() && start.vt == VT_I4) {
      const auto at = std::find(shown.begin(), shown.end(), start.lVal);
      const bool forward = direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT || direction == NAVDIR_DOWN;
      const bool back = direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT || direction == NAVDIR_UP;
      if (at != shown.end() && forward && at + 1 != shown.end()) {
        to = *(at + 1);
      } else if (at != shown.end() && back && at != shown.begin()) {
        to = *(at - 1);
      }
    }
    if (!to) {
      return S_FALSE;
    }
    end->vt = VT_I4;
    end->lVal = to;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    TAccessibleElements e;
    if (!child || !Facts(e)) {
      return E_INVALIDARG;
    }
    VariantInit(child);
    const POINT p{x, y};
    for (std::size_t i = 0; i < e.Children.size(); ++i) {
      const TAccessibleElement& c = e.Children[i];
      if (!(c.State & STATE_SYSTEM_INVISIBLE) && PtInRect(&c.Screen, p)) {
        child->vt = VT_I4;
        child->lVal = long(i + 1);
        return S_OK;
      }
    }
    if (PtInRect(&e.Self.Screen, p)) {
      child->vt = VT_I4;
      child->lVal = CHILDID_SELF;
      return S_OK;
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TAccessibleElements e;
    if (!Facts(e)) {
      return E_FAIL;
    }
    const TAccessibleElement* element = Element(e, child);
    if (!element || IsSelf(child) || element->DefaultAction.empty() || !FAction) {
      return DISP_E_MEMBERNOTFOUND;
    }
    bool done = false;
    GuardedCall([&] { done = FAction(FWindow, child.lVal); });
    return done ? S_OK : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  static const TAccessibleElement* Element(const TAccessibleElements& e, const VARIANT& child) {
    if (child.vt != VT_I4) {
      return nullptr;
    }
    if (child.lVal == CHILDID_SELF) {
      return &e.Self;
    }
    return child.lVal >= 1 && std::size_t(child.lVal) <= e.Children.size()
               ? &e.Children[std::size_t(child.lVal - 1)]
               : nullptr;
  }
  bool Facts(TAccessibleElements& e) const {
    bool known = false;
    GuardedCall([&] { known = IsWindow(FWindow) && FSource(FWindow, e); });
    return known;
  }
  template <class F>
  HRESULT Text(const VARIANT& child, BSTR* out, F field) const {
    if (!out) {
      return E_INVALIDARG;
    }
    *out = nullptr;
    TAccessibleElements e;
    if (!Facts(e)) {
      return E_FAIL;
    }
    const TAccessibleElement* element = Element(e, child);
    if (!element) {
      return E_INVALIDARG;
    }
    const std::wstring text = field(*element);
    if (text.empty()) {
      return S_FALSE;
    }
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  template <class F>
  HRESULT Number(const VARIANT& child, VARIANT* out, F field) const {
    if (!out) {
      return E_INVALIDARG;
    }
    VariantInit(out);
    TAccessibleElements e;
    if (!Facts(e)) {
      return E_FAIL;
    }
    const TAccessibleElement* element = Element(e, child);
    if (!element) {
      return E_INVALIDARG;
    }
    out->vt = VT_I4;
    out->lVal = field(*element);
    return S_OK;
  }
  static HRESULT Nothing(BSTR* out) {
    if (out) {
      *out = nullptr;
    }
    return S_FALSE;
  }

  HWND FWindow;
  TAccessibleElementsSource FSource;
  TAccessibleElementAction FAction;
};

} // namespace

LRESULT AccessibleElementsResult(HWND window, WPARAM wparam, LPARAM lparam, LONG objectId,
                                 TAccessibleElementsSource source, TAccessibleElementAction action) {
  if (static_cast<LONG>(lparam) != objectId || !source) {
    return 0;
  }
  auto* object = new TElementsObject(window, source, action);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(object));
  object->Release(); // the result holds its own reference
  return result;
}
