#include "framework/win32/AccessibleObject.h"

// (The interface's identity is spelled through __uuidof: the import libraries' IID_IAccessible
// is a code thunk under this toolchain, not the identity.)

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
