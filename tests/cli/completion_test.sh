#!/usr/bin/env bash
# The bash completion offers what photara-cli --help lists, no more and no less: every
# command, every option of each command (and none before a command that it lacks), and the
# values of the options that take a fixed set of them.
#   completion_test.sh PHOTARA_CLI COMPLETION_SCRIPT
set -euo pipefail
cli=$1
# shellcheck source=/dev/null
source "$2"

failures=0
expect_same() {  # what, expected words, offered words
    local expected offered
    expected=$(tr ' ' '\n' <<<"$2" | grep -v '^$' | sort -u)
    offered=$(tr ' ' '\n' <<<"$3" | grep -v '^$' | sort -u)
    if [ "$expected" != "$offered" ]; then
        echo "FAILED: $1: --help lists [$(echo $expected)], the completion offers [$(echo $offered)]"
        failures=$((failures + 1))
    fi
}

complete_words() {  # the words typed, the last one being completed
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _photara_cli
    echo "${COMPREPLY[*]}"
}

# The option names of one --help: "-o,--output TEXT" gives -o and --output.
options_of() {
    sed -n '/^Options:/,/^$/p' | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr ',' ' '
}

help=$("$cli" --help)
commands=$(sed -n '/^Subcommands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z]\+\) .*/\1/p')
[ -n "$commands" ] || { echo "FAILED: no commands in photara-cli --help"; exit 1; }
expect_same "the commands" "$commands" "$(complete_words photara-cli '')"
expect_same "the options before a command" "$(options_of <<<"$help")" \
    "$(complete_words photara-cli -)"

for command in $commands; do
    help=$("$cli" "$command" --help)
    expect_same "$command's options" "$(options_of <<<"$help")" \
        "$(complete_words photara-cli --virtual-meter "$command" -)"
    # "--format TEXT:{pxd,csv}": the values the option takes.
    while read -r option values; do
        expect_same "$command $option's values" "$(tr ',' ' ' <<<"$values")" \
            "$(complete_words photara-cli "$command" "$option" '')"
    done < <(sed -n 's/^  .*\(--[a-z-]*\) [A-Z]*:{\([^}]*\)}.*/\1 \2/p' <<<"$help")
done
[ "$failures" -eq 0 ] && echo "the completion offers what --help lists"
exit $((failures > 0))
