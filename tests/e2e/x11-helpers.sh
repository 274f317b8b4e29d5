# What the scripts that play the real window under X share; sourced.

wait_for() {  # wait_for NAME: the id of the first window with that title
    for _ in $(seq 1 100); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window named '$1' appeared" >&2
    return 1
}

expect() {  # expect WHAT ACTUAL WANTED
    if [[ "$2" != "$3" ]]; then
        echo "FAIL: $1: $2, wanted $3" >&2
        exit 1
    fi
    echo "ok: $1"
}
