# Sourced by the cross-build scripts: a fresh work folder, and Debian's source package of a
# library, the same version as its native package installed here.

# enter_work_folder WORK: WORK emptied, made and entered.
enter_work_folder() {
    rm -rf "$1"
    mkdir -p "$1"
    cd "$1"
}

# fetch_debian_source NATIVE_PACKAGE SOURCE_PACKAGE: its .dsc and tarballs in this folder.
fetch_debian_source() {
    local version
    version=$(dpkg-query -W -f='${source:Version}' "$1")
    apt-get source --download-only "$2=$version" >/dev/null 2>&1 ||
        apt-get source --download-only "$2" >/dev/null
}
