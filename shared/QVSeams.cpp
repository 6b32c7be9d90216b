#include "QVSeams.h"

#include "Handles.h"
#include "Seams.h"

#include <oleauto.h>
#include <shellapi.h>

LSTATUS RegistrySeam::OpenKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) {
  return RegOpenKeyExW(root, path.c_str(), 0, access, key);
}

LSTATUS RegistrySeam::CreateKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) {
  return RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, key, nullptr);
}

HINSTANCE ShellSeam::Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                             const std::wstring& params, const std::wstring& dir, int show) {
  return ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                       params.empty() ? nullptr : params.c_str(), dir.empty() ? nullptr : dir.c_str(), show);
}

HRESULT ShellSeam::InvokeShellApplication(const std::wstring& method) {
  ComScope com;
  HRESULT hr;
  {
    CLSID clsid;
    ComPtr<IDispatch> disp;
    hr = CLSIDFromProgID(L"Shell.Application", &clsid);
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, disp.put_void());
    if (SUCCEEDED(hr)) {
      DISPID id;
      LPOLESTR name = const_cast<LPOLESTR>(method.c_str());
      hr = disp->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
      if (SUCCEEDED(hr)) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        hr = disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
      }
    }
  }
  return hr;
}

std::wstring ShellSeam::KnownFolderPath(REFKNOWNFOLDERID id) {
  PWSTR p = nullptr;
  std::wstring out;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &p)) && p) out = p;
  CoTaskMemFree(p);
  return out;
}

RegistrySeam& RegistryCalls() { return SeamSlot<RegistrySeam>::Instance().Get(); }
void SetRegistrySeam(RegistrySeam* seam) { SeamSlot<RegistrySeam>::Instance().Set(seam); }
ShellSeam& ShellCalls() { return SeamSlot<ShellSeam>::Instance().Get(); }
void SetShellSeam(ShellSeam* seam) { SeamSlot<ShellSeam>::Instance().Set(seam); }
