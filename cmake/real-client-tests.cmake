# The suites that drive real clients (Orca, window managers and compositors,
# Wine), build the packages twice, or test in the current Debian release's
# chroot. Each takes minutes and a display or a chroot of its own: 'make test'
# leaves them out by their labels, and each has a make target of its own. A
# suite whose tools are not installed here is skipped.
#
#   add_real_client_test(NAME LABELS label... NEEDS tool... TIMEOUT seconds COMMAND command...)
function(add_real_client_test name)
    cmake_parse_arguments(PARSE_ARGV 1 suite "" "TIMEOUT" "LABELS;NEEDS;COMMAND")
    # The tools, then --, then the command. Lines, not semicolons: CMake would split there.
    set(skip_unless_installed [[
while [ "$1" != -- ]
do
    command -v "$1" >/dev/null || { echo "skipped: $1 is not installed"
        exit 77
    }
    shift
done
shift
exec "$@"]])
    add_test(NAME ${name} COMMAND sh -c ${skip_unless_installed} ${name} ${suite_NEEDS} -- ${suite_COMMAND}
             WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(${name} PROPERTIES LABELS "${suite_LABELS}" TIMEOUT ${suite_TIMEOUT} SKIP_RETURN_CODE 77 RUN_SERIAL ON)
endfunction()
