# Checks what ships for Windows in DIR: every program and DLL asks Windows for
# high-entropy ASLR and DEP; what is built here and in Qt has the stack
# protector (its failure message is linked in with it); the launcher embeds
# the application manifest and imports Windows' KnownDLLs alone; and the
# launcher and the plugins have Windows look for their imports in System32
# alone.
#
#   cmake -DDIR=<folder of quillmere.exe> -P check-hardening.cmake

# read(FILE OFFSET BYTES VAR): a little-endian number in the file, at an
# offset that may be a sum.
function(read file offset bytes var)
    math(EXPR offset "${offset}")
    file(READ ${file} hex OFFSET ${offset} LIMIT ${bytes} HEX)
    string(REGEX MATCHALL ".." digits ${hex})
    list(REVERSE digits)
    string(JOIN "" hex ${digits})
    math(EXPR value "0x${hex}")
    set(${var} ${value} PARENT_SCOPE)
endfunction()

# file_offset(FILE RVA VAR): where in the file the section that holds the
# relative virtual address has it; empty where no section does.
function(file_offset file rva var)
    read(${file} 60 4 pe)
    read(${file} "${pe} + 6" 2 sections)
    read(${file} "${pe} + 20" 2 optional_size)
    set(${var} "" PARENT_SCOPE)
    foreach(section RANGE 1 ${sections})
        math(EXPR header "${pe} + 24 + ${optional_size} + (${section} - 1) * 40")
        read(${file} "${header} + 8" 4 size)
        read(${file} "${header} + 12" 4 address)
        read(${file} "${header} + 20" 4 raw)
        math(EXPR end "${address} + ${size}")
        if(rva GREATER 0 AND rva GREATER_EQUAL address AND rva LESS end)
            math(EXPR at "${raw} + ${rva} - ${address}")
            set(${var} ${at} PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

# directory(FILE INDEX VAR): the file offset of the optional header's data
# directory of that index; empty where the file has none.
function(directory file index var)
    read(${file} 60 4 pe)
    read(${file} "${pe} + 24 + 112 + ${index} * 8" 4 rva)
    file_offset(${file} ${rva} at)
    set(${var} "${at}" PARENT_SCOPE)
endfunction()

# dependent_load_flags(FILE VAR): DependentLoadFlags, 78 bytes into the load
# configuration (directory 10); empty where the file has none.
function(dependent_load_flags file var)
    directory(${file} 10 config)
    set(${var} "" PARENT_SCOPE)
    if(config)
        read(${file} "${config} + 78" 2 flags)
        set(${var} ${flags} PARENT_SCOPE)
    endif()
endfunction()

# imports(FILE VAR): the names of the DLLs the file imports (directory 1), in
# lower case.
function(imports file var)
    directory(${file} 1 descriptor)
    set(names)
    while(descriptor)
        read(${file} "${descriptor} + 12" 4 name_rva)
        if(name_rva EQUAL 0)
            break()
        endif()
        file_offset(${file} ${name_rva} at)
        file(READ ${file} hex OFFSET ${at} LIMIT 64 HEX)
        string(REGEX MATCHALL ".." bytes "${hex}")
        set(name "")
        foreach(byte IN LISTS bytes)
            if(byte STREQUAL "00")
                break()
            endif()
            math(EXPR code "0x${byte}")
            string(ASCII ${code} character)
            string(APPEND name ${character})
        endforeach()
        string(TOLOWER ${name} name)
        list(APPEND names ${name})
        math(EXPR descriptor "${descriptor} + 20")
    endwhile()
    set(${var} ${names} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE shipped ${DIR}/*.exe ${DIR}/*.dll)
list(FILTER shipped EXCLUDE REGEX "(_test|_tests|_bench|uia_client)\\.exe$")
set(failures)
foreach(file IN LISTS shipped)
    file(RELATIVE_PATH name ${DIR} ${file})
    # The PE header's place is at 0x3c; DllCharacteristics is 94 bytes on.
    read(${file} 60 4 pe)
    read(${file} "${pe} + 94" 2 flags)
    foreach(flag IN ITEMS "0x20;high-entropy ASLR" "0x40;ASLR" "0x100;DEP")
        list(GET flag 0 bit)
        list(GET flag 1 what)
        math(EXPR set "${flags} & ${bit}")
        if(set EQUAL 0)
            list(APPEND failures "${name}: no ${what}")
        endif()
    endforeach()
    if(name STREQUAL "quillmere.exe")
        # The application manifest, as embedded: each of its four settings.
        file(STRINGS ${file} manifest REGEX "supportedOS|requestedExecutionLevel|dpiAwareness|Common-Controls")
        foreach(setting IN ITEMS "supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\";Windows 10 and 11 as supported OS"
                                 "requestedExecutionLevel level=\"asInvoker\";asInvoker execution level"
                                 "PerMonitorV2</dpiAwareness>;PerMonitorV2 DPI awareness"
                                 "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\";Common Controls 6")
            list(GET setting 0 text)
            list(GET setting 1 what)
            string(FIND "${manifest}" "${text}" at)
            if(at EQUAL -1)
                list(APPEND failures "${name}: no ${what} in its manifest")
            endif()
        endforeach()
    endif()
    # The launcher's and the shipped plugins' imports looked for in System32
    # alone (0x800); the launcher's, Windows' KnownDLLs alone.
    if(name MATCHES "^(quillmere\\.exe|platforms/qwindows\\.dll|styles/.*\\.dll)$")
        dependent_load_flags(${file} load_flags)
        if(NOT load_flags STREQUAL "2048")
            list(APPEND failures "${name}: DependentLoadFlags '${load_flags}', not LOAD_LIBRARY_SEARCH_SYSTEM32")
        endif()
    endif()
    if(name STREQUAL "quillmere.exe")
        imports(${file} imported)
        list(REMOVE_ITEM imported kernel32.dll msvcrt.dll advapi32.dll)
        if(imported)
            list(JOIN imported ", " imported)
            list(APPEND failures "${name}: imports ${imported}, not KnownDLLs alone")
        endif()
    endif()
    if(name MATCHES "^(quillmere\\.exe|quillmere\\.dll|Qt6.*\\.dll|platforms/.*|styles/.*)$")
        file(STRINGS ${file} guard REGEX "stack smashing detected" LIMIT_COUNT 1)
        if(NOT guard)
            list(APPEND failures "${name}: no stack protector")
        endif()
    endif()
endforeach()
list(LENGTH shipped count)
if(failures)
    list(JOIN failures "\n  " failures)
    message(FATAL_ERROR "Of ${count} programs and DLLs:\n  ${failures}")
endif()
message(STATUS "${count} programs and DLLs: high-entropy ASLR and DEP; the program, Qt and its plugins with the stack protector; "
               "the program's manifest; the launcher's imports KnownDLLs alone; its and the plugins' imports from System32 alone")
