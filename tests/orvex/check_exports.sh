#!/usr/bin/env bash
# The report library exports its interface and nothing else, and takes the database engine
# from the program: the program resolves none of its engine calls from the library.
# Usage: check_exports.sh LIBORVEX PROGRAM...
set -euo pipefail
library=$1
shift

interface='OznaceniVerzeDLL(QString*)
SestavaADO(QApplication*, QString const&, QString const&, QString const&, int, engine::Connection*)
orvex::renderReportToPdf(QString const&, QString const&, QString const&, engine::Connection*, QString const&)
orvex::designReport(QWidget*, QString const&, QString const&, QString const&, engine::Connection*, std::function<int (QDialog&)> const&)'

# Linker-made markers are not symbols of the code.
exported=$(nm -D --defined-only -C "$library" | cut -c20- |
    grep -vxE '_edata|_end|__bss_start|_init|_fini' | sort)
if [[ "$exported" != "$(sort <<<"$interface")" ]]; then
    echo "liborvex exports more or less than its interface:"
    diff <(sort <<<"$interface") <(echo "$exported") || true
    exit 1
fi

needed=$(nm -D --undefined-only -C "$library" | cut -c20- | grep '^engine::' || true)
for program in "$@"; do
    taken=$(nm -D --undefined-only -C "$program" | cut -c20- | grep '^engine::' || true)
    if [[ -n "$taken" ]]; then
        echo "$program takes engine calls from a shared library:"
        echo "$taken"
        exit 1
    fi
    while IFS= read -r symbol; do
        [[ -z "$symbol" ]] && continue
        if ! nm -D --defined-only -C "$program" | cut -c20- | grep -qxF "$symbol"; then
            echo "$program does not give the library $symbol"
            exit 1
        fi
    done <<<"$needed"
done
echo "liborvex: interface only; engine from the program"
