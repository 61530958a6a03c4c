#!/usr/bin/env bash
# Checks that the 32-bit release zip holds its data and licences and no test
# program, unzips it into a folder whose path has blanks and Chinese
# characters, and runs the end-to-end tests of both programs once from there,
# against them as shipped. Run inside a Wine session (tools/ci/wine-session.sh)
# whose LORVANE_WINE is the 32-bit loader, after the mingw-x86 package target.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/mingw-x86
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
zip="$build/$name.zip"

programs=$(unzip -Z1 "$zip" | sed -n 's|^.*/||; /\.[eE][xX][eE]$/p; /\.[dD][lL][lL]$/p' | LC_ALL=C sort | tr '\n' ' ')
if [ "$programs" != "Lorvane.exe lorvane-cli.exe " ]; then
  echo "$zip should hold Lorvane.exe and lorvane-cli.exe and no other program or library, but holds: $programs" >&2
  exit 1
fi

# The data beside the programs, each with its licence.
for file in pymb.dat words.dat LICENSE-UNICODE.txt LICENSE-CC-CEDICT.txt LICENSE-JIEBA.txt; do
  if ! unzip -Z1 "$zip" | grep -q "/$file\$"; then
    echo "$zip should hold $file" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/下载 的 文件"
mkdir "$folder"
unzip -q "$zip" -d "$folder"
package="$folder/$name"
# The test programs start the Lorvane.exe and lorvane-cli.exe beside them.
cp "$build/bin/e2e_tests.exe" "$build/bin/planted_dll.dll" "$build/bin/cli_windows_tests.exe" "$package/"
for tests in e2e_tests cli_windows_tests; do
  "$LORVANE_WINE" "$package/$tests.exe" --gtest_filter=-EnglishLocale.* --gtest_brief=1
done
