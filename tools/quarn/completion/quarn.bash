# bash completion for quarn: the commands, then the options of the command typed, both asked
# of quarn itself ('quarn completions [COMMAND]') so that they always match the tool.
_quarn() {
  local cur="${COMP_WORDS[COMP_CWORD]}"
  local prev="${COMP_WORDS[COMP_CWORD-1]}"
  local quarn="${COMP_WORDS[0]}"
  if [[ $COMP_CWORD -eq 1 ]]; then
    COMPREPLY=($(compgen -W "$("$quarn" completions 2>/dev/null) --help" -- "$cur"))
    return
  fi
  local command="${COMP_WORDS[1]}"
  case "$prev" in
    --home) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --encoding) COMPREPLY=($(compgen -W "cp1252 raw" -- "$cur")); return ;;
  esac
  if [[ "$command" == help && $COMP_CWORD -eq 2 ]]; then
    COMPREPLY=($(compgen -W "$("$quarn" completions 2>/dev/null)" -- "$cur"))
  elif [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$("$quarn" completions "$command" 2>/dev/null)" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _quarn quarn
