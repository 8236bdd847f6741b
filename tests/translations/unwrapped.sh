#!/usr/bin/env bash
# Chinese text the user reads must reach the translation: a QStringLiteral or fromUtf8 literal
# holding Chinese characters outside tr()/translate() is one the English reader would see
# untranslated. Font names are names, not text.
#   unwrapped.sh SOURCE_DIR
set -u
cd "$1" || exit 2
found=$(LC_ALL=C.UTF-8 grep -rnP 'QString(Literal|::fromUtf8)\("[^"]*[\x{4e00}-\x{9fff}]' src/ui src/app |
    grep -v 'QFont\|insertSubstitutions' | grep -v 'translate(\|tr(')
if [ -n "$found" ]; then
    printf 'Chinese text outside tr()/translate():\n%s\n' "$found"
    exit 1
fi
echo "every Chinese literal goes through the translation"
