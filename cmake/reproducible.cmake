# Reproducible builds: the same commit gives the same bytes wherever and
# whenever it is built. Times embedded in outputs come from the last commit;
# paths are written relative to the source tree.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(QUILLMERE_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE QUILLMERE_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
# Tools the build runs stamp what they make with that time too (rcc, each
# file it embeds).
if(QUILLMERE_SOURCE_DATE_EPOCH)
    set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QUILLMERE_SOURCE_DATE_EPOCH}")
endif()
if(NOT MSVC)
    # At link time too: link-time optimisation compiles again there.
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
    add_link_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()
