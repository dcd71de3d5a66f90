# Shared by ./run, ./test, bench/run and scripts/make-images: package set-up, the build and a private
# X server.

build_packages=(g++ cmake make libglut-dev libglu1-mesa-dev libgl-dev)
test_packages=(xvfb libgl1-mesa-dri libpng-dev libbenchmark-dev python3-xlib
    python3-pil xdotool openbox mesa-utils
    clang libclang-rt-dev clang-format clang-tidy cppcheck valgrind
    dpkg-dev debhelper fakeroot lintian desktop-file-utils appstream xauth)

# Installs whichever of the given Debian packages are missing, as root, through sudo, or not at all,
# showing apt's own progress. If the release has no package of one of those names, nothing is
# installed.
need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Please install these packages first: ${missing[*]}" >&2
            exit 1
        fi
    fi
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "Please install these packages (Debian names) first: ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update
    local unknown=()
    for p in "${missing[@]}"; do
        [[ $(apt-cache policy "$p" 2>/dev/null) =~ Candidate:\ [^\(] ]] || unknown+=("$p")
    done
    if [ ${#unknown[@]} -gt 0 ]; then
        echo "$(. /etc/os-release && echo "$PRETTY_NAME") has no package named ${unknown[*]}" >&2
        exit 1
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}

# Sets up a CMake build in DIR with the options that follow and builds it, saying where it goes and
# showing the build's progress; of the set-up, only its warnings and errors show.
build() {
    local dir=$1
    shift
    echo "Building in $dir/"
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

stop_xvfb() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$xvfb_dir"
}

# Starts Xvfb on a free display with the given screen (WxHxD), exports DISPLAY and stops it on exit.
start_xvfb() {
    local screen=$1
    xvfb_dir=$(mktemp -d)
    mkfifo "$xvfb_dir/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp +extension GLX 3>"$xvfb_dir/display" \
        >"$xvfb_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    trap stop_xvfb EXIT
    local number
    if ! read -r -t 30 number <"$xvfb_dir/display"; then
        echo "Xvfb did not start:" >&2
        cat "$xvfb_dir/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$number"
}
