# Shared by scripts/run, scripts/test and scripts/bench: installs the Debian
# packages the project needs (only those missing) and builds a tree.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The third row draws the icons and checks and builds the package: rsvg-convert,
# desktop-file-validate, appstreamcli, dpkg-shlibdeps and the file utility that
# CPack needs for it; poppler-utils reads the tool's PDFs back in the tests. The
# last row compiles the translations and brings Qt's own catalogues.
PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
          libgl-dev fonts-liberation fontconfig
          librsvg2-bin desktop-file-utils appstream dpkg-dev file poppler-utils
          qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)

# ensure_packages PKG...: installs whichever of PKG are not installed yet.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    # Refresh the package lists when they are missing or older than a day.
    local stamp=/var/lib/apt/periodic/update-success-stamp lists
    lists=$(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mmin -1440 2>/dev/null | head -n 1)
    if [ -z "$lists" ] && { [ ! -e "$stamp" ] || [ -n "$(find "$stamp" -mmin +1440 2>/dev/null)" ]; }; then
        "${sudo[@]}" apt-get update -q
    fi
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build DIR [cmake options...]: configures (once) and builds DIR.
build() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}
