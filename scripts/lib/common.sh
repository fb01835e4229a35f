# Shared by the scripts: where things live and how missing Debian packages get installed.
# shellcheck shell=bash

QUORLEN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# What every build needs: compilers, build tools and the core's libraries.
QUORLEN_BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config git ccache
    libicu-dev libcurl4-openssl-dev libcpp-httplib-dev
)
# What the tests add: GoogleTest, clang with its sanitizer and libFuzzer runtimes, clang-format.
QUORLEN_TEST_PACKAGES=(libgtest-dev libgmock-dev clang libclang-rt-14-dev clang-format)
QUORLEN_BENCH_PACKAGES=(libbenchmark-dev hyperfine curl)

# Installs the named packages that are not installed yet, after one apt-get update.
quorlen_install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

quorlen_jobs() { nproc 2>/dev/null || echo 2; }

# Starts the sample service program $1 on a free port in the background and waits for the
# address it prints. Sets QUORLEN_SERVICE_PID and QUORLEN_SERVICE_ADDRESS; stop it with
# quorlen_stop_sample_service (the caller's EXIT trap).
quorlen_start_sample_service() {
    local output
    output=$(mktemp)
    "$1" --port 0 >"$output" &
    QUORLEN_SERVICE_PID=$!
    QUORLEN_SERVICE_ADDRESS=
    for _ in $(seq 100); do
        QUORLEN_SERVICE_ADDRESS=$(sed -n 's/^listening on //p' "$output")
        [ -n "$QUORLEN_SERVICE_ADDRESS" ] && break
        kill -0 "$QUORLEN_SERVICE_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$output"
    if [ -z "$QUORLEN_SERVICE_ADDRESS" ]; then
        echo "$(basename "$0"): the sample service did not start" >&2
        return 1
    fi
}

quorlen_stop_sample_service() {
    if [ -n "${QUORLEN_SERVICE_PID:-}" ]; then
        kill "$QUORLEN_SERVICE_PID" 2>/dev/null || true
        wait "$QUORLEN_SERVICE_PID" 2>/dev/null || true
        QUORLEN_SERVICE_PID=
    fi
}
