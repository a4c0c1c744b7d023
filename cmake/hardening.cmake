# The hardening Debian builds its own packages with. The sanitizers bring
# their own instrumentation instead.
if(NOT MSVC AND NOT QUILLMERE_SANITIZE)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    # Fortified calls need the optimiser to know the buffer sizes.
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=3>)
    if(WIN32)
        # MinGW-w64 takes its stack protector from libssp, linked on request.
        add_link_options(-fstack-protector-strong)
    else()
        add_compile_options(-fstack-clash-protection -fcf-protection)
        # A position-independent executable, from code compiled as Qt asks:
        # -fPIC, since its libraries bind their own symbols directly.
        add_compile_options(-fPIC)
        add_link_options(-pie)
        # Relocations resolved at start-up, then made read-only.
        add_link_options(LINKER:-z,relro LINKER:-z,now)
    endif()
endif()
