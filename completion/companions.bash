# Bash completion for zlconf's companions: zlplan, zlsave, zlapply and zlsim.
# Installed once under each command's name, so bash-completion loads it for any.

_zlconf_link_names() {
    local names="zl0 zl1 zl2 zl3 zl4 zl5 zl6 zl7 zl8"
    names+=" zlumi0 zlumi1 zlumi2 zlumi3 zlumi4 zlumi5 zlumi6 zlumi7 zlumi8"
    COMPREPLY+=($(compgen -W "$names" -- "$1"))
}

_zlplan() {
    local cur="${COMP_WORDS[COMP_CWORD]}"
    COMPREPLY=()
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--json --full --check --state --strict --exit-code --help --version" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

_zlsave() {
    local cur="${COMP_WORDS[COMP_CWORD]}"
    COMPREPLY=()
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
    else
        _zlconf_link_names "$cur"
    fi
}

_zlapply() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    COMPREPLY=()
    case "$prev" in
        --restore-point)
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        --confirm)
            # SECONDS, or nothing: alone it confirms the waiting apply.
            COMPREPLY=($(compgen -W "30 60 120 300" -- "$cur"))
            [[ -n $cur ]] && return
            ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--confirm --strict --restore-point --rollback --help --version" -- "$cur"))
    else
        COMPREPLY+=($(compgen -f -- "$cur"))
    fi
}

_zlsim() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    COMPREPLY=()
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "run show reset log --help --version" -- "$cur"))
        return
    fi
    local verb="${COMP_WORDS[1]}" i
    # After the command that `run` starts, complete that command's arguments.
    if [[ $verb == run ]]; then
        for ((i = 2; i < COMP_CWORD; i++)); do
            case "${COMP_WORDS[i]}" in
                --state | --fail) ((i++)) ;;
                -*) ;;
                *)
                    COMPREPLY=($(compgen -f -- "$cur"))
                    return
                    ;;
            esac
        done
    fi
    case "$prev" in
        --state)
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        --fail)
            COMPREPLY=($(compgen -W "ZLIOCLINK:1:EBUSY ZLIOSSEG:*:EIO open:zl0:ENOENT" -- "$cur"))
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        local options="--state"
        case "$verb" in
            run) options+=" --fail --" ;;
            show) options+=" --json" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $verb == run ]]; then
        COMPREPLY=($(compgen -W "zlconf zlplan zlsave zlapply" -- "$cur"))
    elif [[ $verb == reset ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

complete -F _zlplan -o filenames zlplan
complete -F _zlsave zlsave
complete -F _zlapply -o filenames zlapply
complete -F _zlsim -o filenames zlsim
