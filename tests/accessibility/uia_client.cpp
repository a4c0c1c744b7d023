// Reads a window as a Windows screen reader does, through UI Automation's
// client interface, and prints what it finds, one element a line:
//
//   uia_client TITLE     every element below the window named TITLE, indented
//                        by depth: "<control type> <name>", with " [focused]"
//                        after the element that has the keyboard focus
//
// Only the calls that Wine 10 implements are used: the tree walker over all
// elements, the current name, control type and, through the property values,
// the keyboard focus.
#include "utf8.h"

#include <windows.h>

#include <ole2.h>
#include <uiautomation.h>

#include <cstdio>

namespace {

const char* controlTypeName(CONTROLTYPEID type)
{
    switch (type) {
    case UIA_ButtonControlTypeId: return "Button";
    case UIA_EditControlTypeId: return "Edit";
    case UIA_ListControlTypeId: return "List";
    case UIA_ListItemControlTypeId: return "ListItem";
    case UIA_TextControlTypeId: return "Text";
    case UIA_WindowControlTypeId: return "Window";
    default: return "Other";
    }
}

bool hasFocus(IUIAutomationElement* element)
{
    VARIANT value;
    VariantInit(&value);
    const bool focused = SUCCEEDED(element->GetCurrentPropertyValueEx(UIA_HasKeyboardFocusPropertyId, TRUE, &value)) && value.vt == VT_BOOL
        && value.boolVal == VARIANT_TRUE;
    VariantClear(&value);
    return focused;
}

void print(IUIAutomationElement* element, int depth)
{
    CONTROLTYPEID type = 0;
    element->get_CurrentControlType(&type);
    BSTR name = nullptr;
    element->get_CurrentName(&name);
    std::printf("%*s%s %s%s\n", depth * 2, "", controlTypeName(type), utf8(name).c_str(), hasFocus(element) ? " [focused]" : "");
    SysFreeString(name);
}

void walk(IUIAutomationTreeWalker* walker, IUIAutomationElement* element, int depth)
{
    print(element, depth);
    IUIAutomationElement* child = nullptr;
    walker->GetFirstChildElement(element, &child);
    while (child) {
        walk(walker, child, depth + 1);
        IUIAutomationElement* next = nullptr;
        walker->GetNextSiblingElement(child, &next);
        child->Release();
        child = next;
    }
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: uia_client TITLE\n");
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::fprintf(stderr, "uia_client: no window named %s\n", utf8(argv[1]).c_str());
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation* automation = nullptr;
    IUIAutomationElement* root = nullptr;
    IUIAutomationCondition* everything = nullptr;
    IUIAutomationTreeWalker* walker = nullptr;
    if (FAILED(
            CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation, reinterpret_cast<void**>(&automation)))
        || FAILED(automation->ElementFromHandle(window, &root)) || FAILED(automation->CreateTrueCondition(&everything))
        || FAILED(automation->CreateTreeWalker(everything, &walker))) {
        std::fprintf(stderr, "uia_client: UI Automation is not available\n");
        return 1;
    }
    walk(walker, root, 0);
    std::fflush(stdout);
    walker->Release();
    everything->Release();
    root->Release();
    automation->Release();
    CoUninitialize();
    return 0;
}
