# Shared by run.sh and test.sh: installs the Debian packages the build needs (only those that
# are missing, with one apt-get update first) and builds the project in ./build.
# Source it; it defines tarv_setup.

TARV_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libpolyclipping-dev
    coinor-libcbc-dev coinor-libclp-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core
)

tarv_missing_packages() {
    local pkg missing=()
    for pkg in "${TARV_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$pkg")
        fi
    done
    echo "${missing[@]}"
}

tarv_install_packages() {
    local missing
    missing=$(tarv_missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing missing packages: $missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    # shellcheck disable=SC2086
    $sudo apt-get install -y --no-install-recommends $missing
}

tarv_build() {
    local root build
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    build="$root/build"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARV_WERROR=ON
    fi
    cmake --build "$build" -j "$(nproc)"
}

tarv_setup() {
    tarv_install_packages
    tarv_build
}
