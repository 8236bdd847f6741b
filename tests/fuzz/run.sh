#!/usr/bin/env bash
# The fuzz targets: builds them with clang and libFuzzer (address and undefined-behaviour
# sanitizers) into build-fuzz/, then runs each for SECONDS from a copy of its seed corpus in
# tests/fuzz/corpus/<target>/ (the committed corpus never grows). Prints the runs and
# executions per second of each target and fails on any crash, sanitizer report, property
# failure, timeout or memory limit; the input that did it is kept in build-fuzz/crashes/.
#
#   tests/fuzz/run.sh [SECONDS] [TARGET...]      SECONDS defaults to 20; TARGET is one of
#                                                Profile Color Skin Outline Palette Picture (all)
#
# Long runs by hand:
#   tests/fuzz/run.sh 3600                        an hour for each target
#   tests/fuzz/run.sh 1800 Profile Skin           half an hour for two of them
#   One target on every core, keeping what it finds in a corpus of your own (then copy a few
#   small, telling inputs into tests/fuzz/corpus/<target>/ by hand):
#     mkdir -p /tmp/profile && cp tests/fuzz/corpus/profile/* /tmp/profile/
#     build-fuzz/tests/fuzz/huebird_fuzz_Profile -jobs=2 -workers=2 -max_total_time=3600 \
#         -artifact_prefix=build-fuzz/crashes/ /tmp/profile
#   The picture target needs QT_QPA_PLATFORM=offscreen and its memory limits:
#     -rss_limit_mb=512 -malloc_limit_mb=128
#   To replay a crash: build-fuzz/tests/fuzz/huebird_fuzz_<Target> build-fuzz/crashes/<file>
#
# Needs: clang, libclang-rt-14-dev (libFuzzer and the sanitizer runtimes), cmake, Qt 6 Gui.
set -u
cd "$(dirname "$0")/../.."
root=$PWD
seconds=${1:-20}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(Profile Color Skin Outline Palette Picture)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ not found (install clang and libclang-rt-14-dev)" >&2
    exit 1
fi
build=$root/build-fuzz
echo "fuzz: building into $build"
mkdir -p "$build"
if ! cmake -S . -B "$build" -DHUEBIRD_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/configure.log" 2>&1; then
    cat "$build/configure.log" >&2
    echo "fuzz: configure failed" >&2
    exit 1
fi
if ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
    tail -n 40 "$build/build.log" >&2
    echo "fuzz: build failed" >&2
    exit 1
fi

crashes=$build/crashes
mkdir -p "$crashes"
work=$(mktemp -d "${TMPDIR:-/tmp}/huebird-fuzz-run.XXXXXX")
trap 'rm -rf "$work"' EXIT

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

failed=()
for target in "${targets[@]}"; do
    binary=$build/tests/fuzz/huebird_fuzz_$target
    seeds=$root/tests/fuzz/corpus/${target,,}
    if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
        echo "fuzz: no target $target" >&2
        failed+=("$target")
        continue
    fi
    corpus=$work/$target
    mkdir -p "$corpus"
    cp "$seeds"/* "$corpus"/
    limits=()
    # A skin's pictures are bounded: nothing the loader does may need more than this.
    [ "$target" = Picture ] && limits=(-rss_limit_mb=512 -malloc_limit_mb=128)
    log=$work/$target.log
    "$binary" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$crashes/$target-" "${limits[@]}" "$corpus" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ $status -ne 0 ]; then
        grep -E 'PROPERTY FAILED|ERROR: |SUMMARY: |runtime error|Test unit written' "$log" | head -n 20 >&2
        printf 'fuzz: %-8s FAILED (exit %d) after %s runs; input kept in %s\n' \
            "$target" "$status" "${runs:-?}" "$crashes" >&2
        failed+=("$target")
    else
        printf 'fuzz: %-8s ok  %10s runs  %6s exec/s  (%s s)\n' "$target" "$runs" "$speed" "$seconds"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: all ${#targets[@]} targets passed"
