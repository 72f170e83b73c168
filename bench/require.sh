# Sourced by the bench scripts after they set `script` (their name in messages): stops the script
# with a message on standard error when something it needs is missing.

# require_tools HINT TOOL...: each TOOL on PATH (or an executable path); HINT, when not empty,
# follows the message in brackets.
require_tools() {
    hint=$1
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$script: $tool is missing${hint:+ ($hint)}" >&2
            exit 1
        fi
    done
}

# require_built PATH TARGET: the program PATH of the build, made by the target TARGET.
require_built() {
    if [ ! -x "$1" ]; then
        echo "$script: no $2 at $1 (build the target $2 first)" >&2
        exit 1
    fi
}
