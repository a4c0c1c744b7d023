// A stand-in for uiautomationcore.dll, put where Windows' own lives in the
// test's Wine prefix, never shipped: Qt loads UI Automation by name, from
// system32 alone. It says a client is listening, and
// appends every notification the program raises to the file that
// QUILLMERE_UIA_RECORD names, one a line: "<kind> <processing> <text>".
// Wine's own delivers notifications to no one, so this is where a test can
// see what a screen reader would be told.
#include "utf8.h"

#include <windows.h>

#include <ole2.h>
#include <uiautomation.h>

#include <cstdio>

extern "C" {

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening()
{
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseNotificationEvent(IRawElementProviderSimple*, NotificationKind kind, NotificationProcessing processing, BSTR text, BSTR)
{
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(L"QUILLMERE_UIA_RECORD", path, MAX_PATH) == 0)
        return S_OK;
    if (FILE* record = _wfopen(path, L"ab")) {
        std::fprintf(record, "%d %d %s\n", static_cast<int>(kind), static_cast<int>(processing), utf8(text).c_str());
        std::fclose(record);
    }
    return S_OK;
}

// The rest of what Qt asks for: no client is served through this copy.
__declspec(dllexport) LRESULT WINAPI UiaReturnRawElementProvider(HWND, WPARAM, LPARAM, IRawElementProviderSimple*)
{
    return 0;
}

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND, IRawElementProviderSimple** provider)
{
    *provider = nullptr;
    return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple*, PROPERTYID, VARIANT, VARIANT)
{
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple*, EVENTID)
{
    return S_OK;
}

} // extern "C"
