# Bash completion for zlconf's companions: zlplan, zlsave, zlapply and zlsim.
# Installed once under each command's name, so bash-completion loads it for any.

_zlconf_link_names() {
    local names="zl0 zl1 zl2 zl3 zl4 zl5 zl6 zl7 zl8"
    names+=" zlumi0 zlumi1 zlumi2 zlumi3 zlumi4 zlumi5 zlumi6 zlumi7 zlumi8"
    COMPREPLY+=($(compgen -W "$names" -- "$1"))
}

# One name a line, so that a name with blanks stays one word.
_zlconf_files() {
    local IFS=$'\n'
    COMPREPLY+=($(compgen -f -- "$1"))
}

_zlplan() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    COMPREPLY=()
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--json --full --check --state --strict --exit-code --help --version" -- "$cur"))
    else
        _zlconf_files "$cur"
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
            _zlconf_files "$cur"
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
        _zlconf_files "$cur"
    fi
}

# The words from `command` on, completed as that command's own: the
# companions here, any other by bash-completion when it is loaded, else files.
_zlsim_command() {
    local command=$1
    if ((COMP_CWORD == command)); then
        COMPREPLY=($(compgen -c -- "${COMP_WORDS[COMP_CWORD]}"))
        return
    fi
    case "${COMP_WORDS[command]##*/}" in
        zlplan | zlsave | zlapply)
            local name="${COMP_WORDS[command]##*/}"
            COMP_WORDS=("${COMP_WORDS[@]:command}")
            COMP_CWORD=$((COMP_CWORD - command))
            "_$name"
            ;;
        *)
            if declare -F _command_offset >/dev/null; then
                _command_offset "$command"
            else
                _zlconf_files "${COMP_WORDS[COMP_CWORD]}"
            fi
            ;;
    esac
}

_zlsim() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    COMPREPLY=()
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "run show reset log --help --version" -- "$cur"))
        return
    fi
    local verb="${COMP_WORDS[1]}" i
    # The command that `run` starts begins after `--` or at the first word
    # that is not one of run's options.
    if [[ $verb == run ]]; then
        for ((i = 2; i < COMP_CWORD; i++)); do
            case "${COMP_WORDS[i]}" in
                --state | --fail) ((i++)) ;;
                --)
                    _zlsim_command $((i + 1))
                    return
                    ;;
                -*) ;;
                *)
                    _zlsim_command "$i"
                    return
                    ;;
            esac
        done
    fi
    case "$prev" in
        --state)
            _zlconf_files "$cur"
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
            log) options+=" --all" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $verb == run ]]; then
        COMPREPLY=($(compgen -W "zlconf zlplan zlsave zlapply" -- "$cur"))
    elif [[ $verb == reset ]]; then
        _zlconf_files "$cur"
    fi
}

complete -F _zlplan -o filenames zlplan
complete -F _zlsave zlsave
complete -F _zlapply -o filenames zlapply
complete -F _zlsim -o filenames zlsim
