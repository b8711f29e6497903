#!/bin/sh
# The application manifest as the built program file carries it (resource
# type 24, id 1): well-formed, and each declaration where Windows looks for
# it. Windows passes over an element in the wrong place or namespace without
# a word, so every step of each path names its namespace.
#   manifest_check.sh PROGRAM.exe SCRATCH
set -eu
program=$1 scratch=$2
mkdir -p "$scratch"
manifest=$scratch/manifest.xml
wrestool -x --raw -t 24 -n 1 "$program" >"$manifest"
if [ ! -s "$manifest" ] || ! xmllint --noout "$manifest"; then
  echo "FAILED: $program carries no well-formed manifest"
  exit 1
fi

# e NAME NAMESPACE: one step of a path, by local name and namespace.
e() { printf "*[local-name()='%s' and namespace-uri()='%s']" "$1" "$2"; }
v1=urn:schemas-microsoft-com:asm.v1
v3=urn:schemas-microsoft-com:asm.v3
compat=urn:schemas-microsoft-com:compatibility.v1
root="/$(e assembly $v1)[@manifestVersion='1.0']"
settings="$root/$(e application $v3)/$(e windowsSettings $v3)"
failures=0
while IFS='|' read -r what xpath; do
  if [ "$(xmllint --xpath "boolean($xpath)" "$manifest")" = true ]; then
    echo "ok: $what"
  else
    echo "FAILED: $what: $xpath"
    failures=$((failures + 1))
  fi
done <<TABLE
runs as the user who starts it, never elevated|$root/$(e trustInfo $v3)/$(e security $v3)/$(e requestedPrivileges $v3)/$(e requestedExecutionLevel $v3)[@level='asInvoker' and not(@uiAccess='true')]
supported on Windows 10 and 11|$root/$(e compatibility $compat)/$(e application $compat)/$(e supportedOS $compat)[@Id='{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}']
per-monitor DPI awareness, version 2|$settings/$(e dpiAwareness http://schemas.microsoft.com/SMI/2016/WindowsSettings)[normalize-space()='PerMonitorV2']
no other DPI mode|count(//*[local-name()='dpiAwareness' or local-name()='dpiAware']) = 1
common controls 6|$root/$(e dependency $v1)/$(e dependentAssembly $v1)/$(e assemblyIdentity $v1)[@type='win32' and @name='Microsoft.Windows.Common-Controls' and @version='6.0.0.0' and @publicKeyToken='6595b64144ccf1df' and (@processorArchitecture='*' or @processorArchitecture='amd64')]
the system's code page, not one of its own|not(//*[local-name()='activeCodePage'])
TABLE
echo "$failures failed"
[ "$failures" -eq 0 ]
