#!/usr/bin/env bash
# The Debian package made from the build tree: name, control fields, Depends from dpkg-shlibdeps,
# no maintainer scripts, every installed file under /usr, and the packed gonilux-cli runs.
# Usage: check_package.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$out/gonilux_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb among: $(ls "$out")"

info=$(dpkg-deb --info "$deb")
for field in "Package: gonilux" "Version: $version" "Section: graphics" "Priority: optional" \
    "Architecture: $(dpkg --print-architecture)" "Maintainer: " "Homepage: https://" \
    " Gonilux shows every IES"; do
    grep -qF -- "$field" <<<"$info" || fail "control lacks '$field':"$'\n'"$info"
done
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6; do
    [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
        fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort | tr '\n' ' ') == "./control ./md5sums " ]] ||
    fail "maintainer scripts in the package"

files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
expected=$(sort <<EOF2
./usr/bin/gonilux
./usr/bin/gonilux-cli
./usr/share/applications/org.gonilux.Gonilux.desktop
./usr/share/bash-completion/completions/gonilux
./usr/share/bash-completion/completions/gonilux-cli
./usr/share/icons/hicolor/scalable/apps/gonilux.svg
$(for s in 16 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${s}x$s/apps/gonilux.png"; done)
./usr/share/man/man1/gonilux.1.gz
./usr/share/man/man1/gonilux-cli.1.gz
./usr/share/metainfo/org.gonilux.Gonilux.metainfo.xml
./usr/share/mime/packages/gonilux.xml
./usr/share/thumbnailers/gonilux.thumbnailer
EOF2
)
[[ $files == "$expected" ]] || fail "files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"

dpkg-deb -x "$deb" "$out/root"
[[ $("$out/root/usr/bin/gonilux-cli" --version) == "gonilux-cli $version" ]] || fail "--version"
grep -qF "<release version=\"$version\"" "$out/root/usr/share/metainfo/org.gonilux.Gonilux.metainfo.xml" ||
    fail "metainfo release"
echo "ok: $(basename "$deb")"
