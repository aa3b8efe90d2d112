#!/usr/bin/env bash
# The bash completion of velmora, without bash-completion (its plain fallback) and, where
# bash-completion is installed, with it: options, profile names that hold spaces, progress modes.
#   completion_test.sh VELMORA.BASH-COMPLETION [BASH_COMPLETION]
completion=${1:?usage: completion_test.sh VELMORA.BASH-COMPLETION [BASH_COMPLETION]}
bash_completion=${2:-/usr/share/bash-completion/bash_completion}
completion=$(realpath "$completion") || exit 1

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
# Stand-ins for velmora: the one on PATH, and another that is completed by its path.
mkdir "$work/bin" "$work/other"
printf '%s\n' '#!/bin/sh' '[ "$1" = --list-profiles ] || exit 2' \
    "printf '%s\\n' 'MP4 - H.264 and AAC (plays everywhere)' 'MP4 - HEVC and AAC (smaller files)' 'WebM - VP9 and Opus (for the web)'" \
    >"$work/bin/velmora"
printf '%s\n' '#!/bin/sh' '[ "$1" = --list-profiles ] || exit 2' 'echo "Other Profile"; echo "this line is on standard error" >&2' >"$work/other/velmora"
chmod +x "$work/bin/velmora" "$work/other/velmora"
touch "$work/mine.bpf" "$work/mine.txt"
PATH=$work/bin:$PATH
cd "$work" || exit 1

failures=0
# check LINE WORD... :: EXPECTED...: completes at the end of LINE, which bash splits into the
# WORDs, and compares COMPREPLY with EXPECTED, in order.
check()
{
    local line=$1 words=() expected
    shift
    while (($#)) && [[ $1 != :: ]]; do words+=("$1"); shift; done
    shift
    expected=("$@")
    COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=("${words[@]}") COMP_CWORD=$((${#words[@]} - 1))
    COMPREPLY=()
    _velmora velmora "${words[-1]}" "${words[-2]}" 2>>"$work/stderr"
    if [[ $(printf '[%s]\n' "${COMPREPLY[@]}") != "$(printf '[%s]\n' "${expected[@]}")" ]]; then
        echo "FAIL ($how): completing '$line' gave"
        printf '  [%s]\n' "${COMPREPLY[@]}"
        echo "  expected"
        printf '  [%s]\n' "${expected[@]}"
        failures=$((failures + 1))
    fi
}

checks()
{
    check 'velmora --join --' velmora --join -- :: \
        --join --profile --output --overwrite --rename --keep --accept-losses --temp-dir --progress= --list \
        --list-profiles --help --version
    check 'velmora --profile MP4' velmora --profile MP4 :: \
        'MP4 - H.264 and AAC (plays everywhere)' 'MP4 - HEVC and AAC (smaller files)'
    # In any letter case, and inside a quote the user opened.
    check 'velmora --profile "mp4 - he' velmora --profile '"mp4 - he' :: 'MP4 - HEVC and AAC (smaller files)'
    check 'velmora --profile MP4\ -\ H.' velmora --profile 'MP4\ -\ H.' :: 'MP4 - H.264 and AAC (plays everywhere)'
    check 'velmora --profile mi' velmora --profile mi :: mine.bpf
    # The profiles come from the velmora being completed.
    check 'other/velmora --profile o' other/velmora --profile o :: 'Other Profile' other
    check 'velmora --progress=' velmora --progress = :: auto bar plain json none
    check 'velmora --progress=pl' velmora --progress = pl :: plain
}

# shellcheck source=/dev/null
source "$completion"
unset -f _init_completion
how="without bash-completion"
checks
if [[ -r $bash_completion ]]; then
    # shellcheck source=/dev/null
    source "$bash_completion"
    source "$completion"
    how="with bash-completion"
    checks
else
    echo "bash-completion not installed ($bash_completion): checked without it only"
fi

# Nothing may show on the user's terminal while they complete, not even what velmora writes there.
if [[ -s $work/stderr ]]; then
    echo "FAIL: the completion wrote to standard error:"
    cat "$work/stderr"
    failures=$((failures + 1))
fi
if ((failures)); then
    echo "$failures completion check(s) failed"
    exit 1
fi
echo "completion: all checks passed"
