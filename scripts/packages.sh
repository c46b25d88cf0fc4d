# SPDX-FileCopyrightText: 2026 The Farbrix developers
# SPDX-License-Identifier: MIT
# Sourced by the set-up scripts: makes sure the Debian packages they need are
# installed. As root it installs what is missing; otherwise it names what to
# install and stops.

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    if [ "$(id -u)" -ne 0 ]; then
        echo "Es fehlen Pakete. Bitte als root installieren:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installiere: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building the game needs.
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev
                qt6-translations-l10n fonts-comic-neue fonts-dejavu-core fonts-liberation2)
