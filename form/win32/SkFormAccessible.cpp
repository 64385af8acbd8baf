#include "form/win32/SkFormAccessible.h"

#include "form/win32/SkForm.h"
#include "framework/GuardedCall.h"

#include <oleacc.h>

#include <algorithm>

namespace {

class TTitleBarObject final : public IAccessible {
public:
  explicit TTitleBarObject(HWND window) : FWindow(window) {}

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
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
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&FRefs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG refs = InterlockedDecrement(&FRefs);
    if (refs == 0) {
      delete this;
    }
    return ULONG(refs);
  }

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
    TSkTitleBarFacts facts;
    if (!count || !Facts(facts)) {
      return count ? E_FAIL : E_INVALIDARG;
    }
    *count = long(facts.Buttons.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child) {
      *child = nullptr;
    }
    return S_FALSE; // the buttons are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    TSkTitleBarFacts facts;
    if (!Facts(facts)) {
      return E_FAIL;
    }
    if (IsSelf(child)) {
      return Answer(facts.Caption, name);
    }
    const TSkTitleBarFacts::TButton* b = Button(facts, child);
    return b ? Answer(b->Name, name) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (value) {
      *value = nullptr;
    }
    return IsSelf(child) || child.vt == VT_I4 ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return Nothing(text); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return Nothing(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) {
      *topic = 0;
    }
    return Nothing(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return Nothing(text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    TSkTitleBarFacts facts;
    if (!role || !Facts(facts)) {
      return role ? E_FAIL : E_INVALIDARG;
    }
    if (!IsSelf(child) && !Button(facts, child)) {
      return E_INVALIDARG;
    }
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = IsSelf(child) ? ROLE_SYSTEM_TITLEBAR : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    TSkTitleBarFacts facts;
    if (!state || !Facts(facts)) {
      return state ? E_FAIL : E_INVALIDARG;
    }
    long s = 0;
    if (IsSelf(child)) {
      s = facts.Active ? STATE_SYSTEM_FOCUSABLE : 0;
    } else if (const TSkTitleBarFacts::TButton* b = Button(facts, child)) {
      s = !b->Shown ? STATE_SYSTEM_INVISIBLE
                    : (b->Hot ? STATE_SYSTEM_HOTTRACKED : 0) | (b->Pressed ? STATE_SYSTEM_PRESSED : 0);
    } else {
      return E_INVALIDARG;
    }
    VariantInit(state);
    state->vt = VT_I4;
    state->lVal = s;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus) {
      VariantInit(focus);
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection) {
      VariantInit(selection);
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    TSkTitleBarFacts facts;
    if (!Facts(facts)) {
      return E_FAIL;
    }
    const TSkTitleBarFacts::TButton* b = Button(facts, child);
    return b && b->Shown ? Answer(L"Press", action) : Nothing(action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    TSkTitleBarFacts facts;
    if (!x || !y || !w || !h || !Facts(facts)) {
      return E_INVALIDARG;
    }
    RECT r = facts.Screen;
    if (!IsSelf(child)) {
      const TSkTitleBarFacts::TButton* b = Button(facts, child);
      if (!b) {
        return E_INVALIDARG;
      }
      r = b->Shown ? b->Screen : RECT{};
    }
    *x = r.left;
    *y = r.top;
    *w = r.right - r.left;
    *h = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    TSkTitleBarFacts facts;
    if (!end || !Facts(facts)) {
      return E_INVALIDARG;
    }
    VariantInit(end);
    // Among the shown buttons, in child order.
    std::vector<int> shown;
    for (const auto& b : facts.Buttons) {
      if (b.Shown) {
        shown.push_back(b.ChildId);
      }
    }
    if (shown.empty()) {
      return S_FALSE;
    }
    int to = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) {
        to = shown.front();
      } else if (direction == NAVDIR_LASTCHILD) {
        to = shown.back();
      }
    } else if (start.vt == VT_I4) {
      auto at = std::find(shown.begin(), shown.end(), int(start.lVal));
      if (at != shown.end()) {
        if ((direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) && at + 1 != shown.end()) {
          to = *(at + 1);
        } else if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) && at != shown.begin()) {
          to = *(at - 1);
        }
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
    TSkTitleBarFacts facts;
    if (!child || !Facts(facts)) {
      return E_INVALIDARG;
    }
    VariantInit(child);
    const POINT p{x, y};
    for (const auto& b : facts.Buttons) {
      if (b.Shown && PtInRect(&b.Screen, p)) {
        child->vt = VT_I4;
        child->lVal = b.ChildId;
        return S_OK;
      }
    }
    if (PtInRect(&facts.Screen, p)) {
      child->vt = VT_I4;
      child->lVal = CHILDID_SELF;
      return S_OK;
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TSkTitleBarFacts facts;
    if (!Facts(facts)) {
      return E_FAIL;
    }
    const TSkTitleBarFacts::TButton* b = Button(facts, child);
    if (!b || !b->Shown || b->Action < 0) {
      return DISP_E_MEMBERNOTFOUND;
    }
    // Posted, as a click on the button would run it: after this call has returned.
    PostMessageW(FWindow, kSkActionMessage, WPARAM(b->Action), 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  static const TSkTitleBarFacts::TButton* Button(const TSkTitleBarFacts& facts, const VARIANT& child) {
    if (child.vt != VT_I4) {
      return nullptr;
    }
    for (const auto& b : facts.Buttons) {
      if (b.ChildId == child.lVal) {
        return &b;
      }
    }
    return nullptr;
  }
  bool Facts(TSkTitleBarFacts& facts) const {
    bool known = false;
    GuardedCall([&] {
      known = IsWindow(FWindow) && SendMessageW(FWindow, kSkTitleBarQuery, 0, LPARAM(&facts)) == 1;
    });
    return known;
  }
  static HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (!out) {
      return E_INVALIDARG;
    }
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT Nothing(BSTR* out) {
    if (out) {
      *out = nullptr;
    }
    return S_FALSE;
  }

  LONG FRefs = 1;
  HWND FWindow;
};

} // namespace

LRESULT SkTitleBarObjectResult(HWND window, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_TITLEBAR) {
    return 0;
  }
  auto* object = new TTitleBarObject(window);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(object));
  object->Release(); // the result holds its own reference
  return result;
}
