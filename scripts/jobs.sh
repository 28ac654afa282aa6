# shellcheck shell=bash
# Sourced by the scripts: the number of parallel jobs, $BW_JOBS, else every core.
bw_jobs() {
    local jobs=${BW_JOBS:-$(nproc)}
    if ! [[ $jobs =~ ^[1-9][0-9]*$ ]]; then
        echo "BW_JOBS=\"$jobs\" ist keine Anzahl von Jobs (erwartet: eine ganze Zahl ab 1)." >&2
        return 1
    fi
    echo "$jobs"
}
