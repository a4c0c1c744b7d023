#pragma once

#include <windows.h>

#include <string>

// A Windows wide string as UTF-8, for the test's text files and output.
inline std::string utf8(const wchar_t* text)
{
    if (!text)
        return {};
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}
