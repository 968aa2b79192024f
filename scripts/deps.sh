# Installs the Debian packages the build and the tests need, when any is missing.
# Sourced by run.sh and test.sh.

ORVANTI_PACKAGES=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-serialport-dev libgl-dev
    libsimpleini-dev
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth fonts-dejavu-core
)

install_deps() {
    local missing=()
    local package
    for package in "${ORVANTI_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}
