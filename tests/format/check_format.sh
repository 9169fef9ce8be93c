#!/usr/bin/env bash
# Fails on any C++ file of src/ or tests/ that differs from the project's
# .clang-format, naming each one and the command that mends it.
#
#   check_format.sh CLANG_FORMAT SOURCE_DIR
set -euo pipefail
clang_format=$1
cd "$2"
status=0
while IFS= read -r -d '' file; do
    if ! "$clang_format" --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file (clang-format -i $file)"
        status=1
    fi
done < <(find src tests -name '*.cpp' -print0 -o -name '*.h' -print0)
exit "$status"
