# bash completion for veltaro-cli                              -*- shell-script -*-
# The program answers itself (commands, each command's options and choices, the archives of
# the folder being typed and of the data folder), so the completion never falls behind it.
# What it leaves unanswered (a date, a number, a file to write) goes to the shell's own.
_veltaro_cli()
{
    local IFS=$'\n' cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=($("$1" --completa "${COMP_WORDS[@]:1:COMP_CWORD}" 2>/dev/null))
    if ((COMP_CWORD > 1)) && [[ $cur != -* ]]; then
        compopt -o filenames 2>/dev/null
    fi
}
complete -o bashdefault -o default -F _veltaro_cli veltaro-cli
