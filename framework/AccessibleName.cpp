// Names screen readers announce for controls.
#include "framework/AccessibleName.h"

#include <commctrl.h>
#include <objbase.h>
#include <initguid.h>
#include <oleacc.h>

namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

bool NeverShowsItsText(HWND control)
{
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, WC_LISTVIEWA) == 0 || lstrcmpiA(name, PROGRESS_CLASSA) == 0;
}

} // namespace

void SetAccessibleName(HWND control, const std::string& name)
{
    if (control == nullptr)
        return;
    if (NeverShowsItsText(control))
        SetWindowTextA(control, name.c_str());
    // Windows' own annotation service, where there is one; the thread's COM
    // stays initialised for the windows that follow.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE)
        return;
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                 Wide(name).c_str());
        services->Release();
    }
}
