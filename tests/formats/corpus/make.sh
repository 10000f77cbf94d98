#!/bin/sh
# Writes the corpus's RTF files from the documents in sources/: LibreOffice
# converts every source it reads (its own Flat ODT, AbiWord's files and HTML)
# to <name>.libreoffice.rtf, AbiWord converts its own .abw and HTML to
# <name>.abiword.rtf. AbiWord is given no Flat ODT: it reads it as plain text.
#
# AbiWord's own lists come out of its RTF export only when they came in from
# HTML, so its list source is HTML; a list or a comment in an .abw file comes
# out as text inside a skipped group, and the rest of the file is lost to every
# reader.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" # both programs keep their profiles here
mkdir -p "$HOME" "$work/out"

soffice --headless --convert-to rtf --outdir "$work/out" sources/*.fodt sources/*.abw >/dev/null 2>&1
# Without a filter named LibreOffice opens HTML as a web page, which it cannot save as RTF.
soffice --headless --infilter="HTML (StarWriter)" --convert-to rtf --outdir "$work/out" sources/*.html >/dev/null 2>&1
for source in sources/*.fodt sources/*.abw sources/*.html; do
    name=$(basename "${source%.*}")
    mv "$work/out/$name.rtf" "$name.libreoffice.rtf"
done
for source in sources/*.abw sources/*.html; do
    name=$(basename "${source%.*}")
    abiword --to=rtf -o "$name.abiword.rtf" "$source" >/dev/null 2>&1
done
ls -l ./*.rtf
