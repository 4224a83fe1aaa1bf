// ComApartment: COM on the calling thread for as long as the object lives. Opening a link
// (ShellExecute) may hand the work to shell extensions that need COM on the thread that asks.
#ifndef TARNWICK_SHELL_COM_APARTMENT_WIN_H
#define TARNWICK_SHELL_COM_APARTMENT_WIN_H

#include "common/win32.h"

#include <objbase.h>

namespace tarnwick {

class ComApartment {
 public:
  ComApartment()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  // Every successful initialisation (S_FALSE included: already initialised) needs its own end.
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Ready() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace tarnwick

#endif
