// quillmere.exe on Windows: loads the program, quillmere.dll, and the DLLs
// beside it, each by its full path and after those it imports, then runs it.
//
// Windows resolves an executable's imports before its code runs, looking
// beside it first: a DLL planted there under the name of one that Qt imports
// from Windows would be loaded. This launcher imports only KnownDLLs, which
// are never looked for there. It restricts every later search to System32,
// and a name already loaded resolves to that module: so nothing any DLL of
// the folder imports is looked for in the folder, on any loader. A DLL
// loaded out of order fails with Windows' own "module not found" (126), the
// launcher's exit status, and is never looked for elsewhere.
#include <wchar.h>
#include <windows.h>

#include "load_order.h"

typedef int (*ProgramEntry)(int argc, char* argv[]);

int main(int argc, char* argv[])
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(NULL, path, ARRAYSIZE(path));
    wchar_t* folderEnd = length > 0 && length < ARRAYSIZE(path) ? wcsrchr(path, L'\\') : NULL;
    if (!folderEnd)
        return ERROR_BAD_PATHNAME;
    ++folderEnd;

    HMODULE program = NULL;
    for (size_t i = 0; i < ARRAYSIZE(loadOrder); ++i) {
        if (wcslen(loadOrder[i]) >= ARRAYSIZE(path) - (size_t)(folderEnd - path))
            return ERROR_FILENAME_EXCED_RANGE;
        wcscpy(folderEnd, loadOrder[i]);
        const HMODULE loaded = LoadLibraryExW(path, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!loaded)
            return (int)GetLastError();
        if (_wcsicmp(loadOrder[i], QUILLMERE_PROGRAM_DLL) == 0)
            program = loaded;
    }
    const ProgramEntry entry = program ? (ProgramEntry)(void (*)(void))GetProcAddress(program, "quillmereMain") : NULL;
    if (!entry)
        return ERROR_PROC_NOT_FOUND;
    return entry(argc, argv);
}
