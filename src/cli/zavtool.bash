# bash completion for zavtool: subcommands, each one's options (read from its own --help, so
# they never go stale), device names, formats, ports and files.
_zavtool()
{
    # Plain COMP_WORDS, so the script works with or without the bash-completion package.
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local cword=$COMP_CWORD
    local -a words=("${COMP_WORDS[@]}")

    local subcommands="devices ports detect convert dump export read program blank-check compare checksum help"
    # --quiet may stand before the subcommand.
    local at=1
    [[ ${words[1]} == --quiet ]] && at=2
    if [[ $cword -eq $at ]]; then
        local leading="--help --version --quiet"
        [[ $at -eq 2 ]] && leading=""
        COMPREPLY=($(compgen -W "$subcommands $leading" -- "$cur"))
        return
    fi
    local subcommand=${words[at]}

    case $prev in
        --device)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(zavtool devices 2>/dev/null | cut -f1)" -- "$cur"))
            COMPREPLY=("${COMPREPLY[@]// /\\ }")
            COMPREPLY=("${COMPREPLY[@]//(/\\(}")
            COMPREPLY=("${COMPREPLY[@]//)/\\)}")
            return
            ;;
        --in-format | --out-format)
            COMPREPLY=($(compgen -W "zef s19 bin hex" -- "$cur"))
            return
            ;;
        --port)
            # A comma list of ports: complete the last one, keeping those before it.
            local before=""
            [[ $cur == *,* ]] && before=${cur%,*},
            COMPREPLY=($(compgen -P "$before" -W "LPT1 LPT2 LPT3 COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8" -- "${cur##*,}"))
            return
            ;;
        --as)
            COMPREPLY=($(compgen -W "c asm html" -- "$cur"))
            return
            ;;
        --clear)
            COMPREPLY=($(compgen -W "00 FF" -- "$cur"))
            return
            ;;
        --width)
            COMPREPLY=($(compgen -W "16 32" -- "$cur"))
            return
            ;;
        --in | --out | --sim-memory | --serial-state | --log)
            _zavtool_files
            return
            ;;
        --backup)
            compopt -o dirnames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        --delay | --tries | --timeout | --offset | --range | --load-range | --save-range | --title | --serial | --count)
            return
            ;;
    esac

    if [[ $subcommand == help ]]; then
        COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
        return
    fi
    if [[ $cur == -* ]]; then
        local options
        options=$(zavtool "$subcommand" --help 2>/dev/null | grep -o -- '--[a-z-]*' | sort -u)
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi
    _zavtool_files
}

_zavtool_files()
{
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY=($(compgen -f -- "${COMP_WORDS[COMP_CWORD]}"))
}
complete -F _zavtool zavtool
