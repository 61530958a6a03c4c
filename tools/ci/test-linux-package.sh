#!/usr/bin/env bash
# Checks lorvane-cli's Debian package as installed: unpacks it into a
# temporary root and runs the tool from there, where its data lies only in
# share/lorvane; checks that data beside the tool is preferred, that a tool
# with no data names the path beside it, and that the manual page shows and
# names every option of --help. Run after the native workflow, which makes
# the package.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/native
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
package="$build/lorvane-cli_${version}_$(dpkg --print-architecture).deb"

fail() {
  echo "test-linux-package: $*" >&2
  exit 1
}

# Runs the tool with standard input `$2` and the arguments after it, and
# fails unless it writes `$1`.
expect_output() {
  local expected=$1 input=$2 actual
  shift 2
  actual=$(printf '%s\n' "$input" | "$@") || fail "$* exited with $? on \"$input\""
  [ "$actual" = "$expected" ] || fail "$* wrote \"$actual\" for \"$input\", not \"$expected\""
}

contents=$(dpkg-deb -c "$package" | awk '{ print $NF }')
for file in usr/bin/lorvane-cli usr/share/man/man1/lorvane-cli.1 usr/share/lorvane/{pymb.dat,words.dat,LICENSE} \
  usr/share/lorvane/LICENSE-{UNICODE,CC-CEDICT,JIEBA}.txt; do
  grep -qx "\./$file" <<<"$contents" || fail "$package should hold /$file"
done
programs=$(grep '^\./usr/bin/.' <<<"$contents" | tr '\n' ' ')
[ "$programs" = "./usr/bin/lorvane-cli " ] || fail "$package should hold lorvane-cli and no other program: $programs"
[[ $(dpkg-deb -f "$package" Depends) == *libc6* ]] || fail "$package should declare its dependencies"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
tool="$root/usr/bin/lorvane-cli"

expect_output "zhong (chong) qing" 重庆 "$tool"
expect_output "chong (zhong) qing" 重庆 "$tool" --context

# A table beside the tool wins over the installed one: here 重 has only
# the reading chong (GBK, as pymb.dat is).
printf '\xd6\xd8chong\r\n' >"$root/usr/bin/pymb.dat"
expect_output "chong" 重 "$tool"
rm "$root/usr/bin/pymb.dat"

mkdir "$root/alone"
cp "$tool" "$root/alone/"
status=0
errors=$(echo 重 | "$root/alone/lorvane-cli" 2>&1 >/dev/null) || status=$?
[ "$status" -eq 3 ] || fail "lorvane-cli without its data exited with $status, not 3"
[[ $errors == *"\"$root/alone/pymb.dat\""* ]] || fail "lorvane-cli without its data should name the table beside it: $errors"

manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$root/usr/share/man/man1/lorvane-cli.1") || fail "man -l cannot show the manual page"
grep -q '^ *lorvane-cli - ' <<<"$manual" || fail "the manual page has no NAME line"
for option in $("$tool" --help | grep -o -- '--[a-z][a-z-]*[a-z]' | sort -u); do
  grep -q -- "$option" <<<"$manual" || fail "the manual page does not name $option"
done
grep -q 'zhòng qìng' <<<"$manual" || fail "the manual page lost the tone marks of --help"
echo "test-linux-package: $package installs and runs"
