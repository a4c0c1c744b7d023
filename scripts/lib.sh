# shellcheck shell=sh
# What the project's scripts share. Each sources it after setting $here, the
# tree's top folder:
#
#   here=$(cd "$(dirname "$0")/.." && pwd)
#   . "$here/scripts/lib.sh"

# The user's cache folder for what takes minutes to make: a chroot, Qt for
# Windows, Debian's sources. Each thing made there is kept under a key.
# shellcheck disable=SC2034 # used by the scripts that source this file
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quillmere

# The current Debian release. Its chroot builds and tests the Windows program,
# and tests this one there.
# shellcheck disable=SC2034 # used by the scripts that source this file
debian_current=trixie

# say MESSAGE: progress, on standard error so that standard output carries only
# what the script answers; each line starts with what the script is making
# ($making, else the script's name).
say() { echo "${making:-${0##*/}}: $*" >&2; }

# cache_key VALUE...: twelve hex digits standing for all that shapes a result.
cache_key() { printf '%s\n' "$@" | sha256sum | cut -c1-12; }

# A folder in the cache counts only once it was made to the end: one left by a
# run stopped part-way is made again.
is_complete() { [ -f "$1/.complete" ]; }
mark_complete() { touch "$1/.complete"; }

# said_if PATTERN...: the lines of standard input that match one of the shell
# patterns, said; the rest dropped. Long steps show how far along they are
# without their whole output.
said_if() {
    while IFS= read -r line; do
        for pattern in "$@"; do
            # shellcheck disable=SC2254 # the patterns are globs on purpose
            case $line in $pattern) say "$line"; break ;; esac
        done
    done
}

# without_package_lines: apt's and dpkg's output on standard error, less the
# lines it writes for each package.
without_package_lines() {
    while IFS= read -r line; do
        case $line in Unpacking*|Setting\ up*|Preparing*|Selecting*|Get:*|"(Reading database"*) ;; *) echo "$line" >&2 ;; esac
    done
}

# ninja_progress: Ninja's step count said once a minute, so that a long build
# never looks like a hang; failures shown whole.
ninja_progress() {
    start=$(date +%s)
    shown=0
    while IFS= read -r line; do
        case $line in
            "["*/*"]"*)
                now=$(date +%s)
                if [ $((now - shown)) -ge 60 ]; then
                    say "step ${line%%]*}], $(((now - start) / 60)) min"
                    shown=$now
                fi ;;
            *FAILED*|*error:*) echo "$line" >&2 ;;
        esac
    done
}
