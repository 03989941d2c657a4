#!/usr/bin/env bash
# The bash completion of quarn, loaded as bash loads it, offers what the tool takes:
#   completion.sh QUARN COMPLETION-FILE
set -euo pipefail
quarn="$1"
source "$2"
complete_words() {  # the words offered for the command line "$@" (the last word being typed)
  COMP_WORDS=("$quarn" "$@")
  COMP_CWORD=$(($# ))
  COMPREPLY=()
  _quarn
  printf '%s\n' "${COMPREPLY[@]}"
}
fail() { echo "completion: $*" >&2; exit 1; }

[[ "$(complete -p quarn)" == *"-F _quarn"* ]] || fail "not registered for quarn"
[[ "$(complete_words get)" == $'getcsz\ngetdate\ngetday\ngetname\ngetstate' ]] ||
  fail "commands for 'get': $(complete_words get)"
[[ "$(complete_words datedit --p)" == "--pivot" ]] || fail "options of datedit: $(complete_words datedit --p)"
[[ "$(complete_words ctl list --)" == *"--station"* ]] || fail "options of ctl"
[[ "$(complete_words getname --encoding '')" == $'cp1252\nraw' ]] || fail "values of --encoding"
[[ "$(complete_words help date)" == $'datechk\ndatedit' ]] || fail "commands after help"
echo "completion offers commands, options and values"
