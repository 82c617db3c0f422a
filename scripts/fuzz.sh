#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs them.
#
#   scripts/fuzz.sh [TARGET] [SECONDS]
#
# TARGET is one harness (fuzz_price_reader, fuzz_settings, fuzz_number_format, fuzz_indicators,
# fuzz_chart_loader, fuzz_renderer, fuzz_download, fuzz_updater) or "all" (the default). SECONDS
# (default 60) is the run time of each harness; 0 runs each harness once over its seed corpus
# only, as CI does.
#
# Environment: QM_FUZZ_CXX (default clang++), QM_FUZZ_BUILD_DIR (default build-fuzz),
# QM_FUZZ_SKIP_BUILD=1 to use the harnesses already built, QM_FUZZ_JOBS (default 2) for the
# build, QM_FUZZ_BUILD_TYPE (default RelWithDebInfo), QM_FUZZ_OPTIONS for further libFuzzer
# options. New inputs found during a run go to BUILD_DIR/corpus/TARGET (the seeds in fuzz/corpus
# stay as they are), crashing inputs to BUILD_DIR/artifacts, the output of each run to
# BUILD_DIR/logs/TARGET.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-all}
seconds=${2:-60}
build=${QM_FUZZ_BUILD_DIR:-$root/build-fuzz}
jobs=${QM_FUZZ_JOBS:-2}

if [[ ${QM_FUZZ_SKIP_BUILD:-} != 1 ]]; then
    CXX=${QM_FUZZ_CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja -DQM_FUZZ=ON \
        -DQM_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE="${QM_FUZZ_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
    if [[ $target == all ]]; then
        cmake --build "$build" -j "$jobs" --target fuzzers
    else
        cmake --build "$build" -j "$jobs" --target "$target"
    fi
fi

if [[ $target == all ]]; then
    targets=()
    for exe in fuzz_price_reader fuzz_settings fuzz_number_format fuzz_indicators \
        fuzz_chart_loader fuzz_renderer fuzz_download fuzz_updater; do
        if [[ -x $build/fuzz/$exe ]]; then targets+=("$exe"); fi
    done
else
    targets=("$target")
fi

mkdir -p "$build/logs" "$build/artifacts"
# fontconfig's font sets (the renderer's fonts) live as long as the process.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}
status=0
for t in "${targets[@]}"; do
    seeds=$root/fuzz/corpus/$t
    options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        "-artifact_prefix=$build/artifacts/$t-")
    if [[ -f $root/fuzz/dict/$t.dict ]]; then options+=("-dict=$root/fuzz/dict/$t.dict"); fi
    read -r -a extra <<<"${QM_FUZZ_OPTIONS:-}"
    options+=("${extra[@]}")
    # Text readers get inputs long enough to pass their line length limit (4096 bytes).
    case $t in
    fuzz_price_reader | fuzz_updater | fuzz_download | fuzz_chart_loader) options+=(-max_len=16384) ;;
    esac
    if [[ $seconds == 0 ]]; then
        # Each seed once: the harness still builds and its seeds still pass.
        echo "== $t: seed corpus"
        if ! "$build/fuzz/$t" "${options[@]}" -runs=0 "$seeds" >"$build/logs/$t.log" 2>&1; then
            status=1
            tail -n 40 "$build/logs/$t.log"
        fi
        continue
    fi
    mkdir -p "$build/corpus/$t"
    echo "== $t: $seconds s (log: $build/logs/$t.log)"
    if ! nice -n 10 "$build/fuzz/$t" "${options[@]}" -max_total_time="$seconds" \
        "$build/corpus/$t" "$seeds" >"$build/logs/$t.log" 2>&1; then
        status=1
        tail -n 60 "$build/logs/$t.log"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/logs/$t.log" || true
done
exit $status
