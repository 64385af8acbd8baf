#pragma once
// TAccessibleObject: the base of the program's own accessible objects (a control's, and the
// parts it draws itself), with one reference count.
#include <windows.h>

#include <oleacc.h>

// IUnknown for the program's own accessible objects: one reference count, and the interfaces a
// client asks an accessible object for (IUnknown, IDispatch, IAccessible).
class TAccessibleObject : public IAccessible {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

protected:
  virtual ~TAccessibleObject() = default;

private:
  LONG FRefs = 1;
};
