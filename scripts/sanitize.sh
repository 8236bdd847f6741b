#!/usr/bin/env bash
# Builds the suites that need no display (core, platform lock, ui on the offscreen platform)
# with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs them. Any
# report, a leak included, fails the run. Leaks inside system libraries are suppressed by
# tests/sanitize/lsan.supp; ours never are.
#
# Usage: bash scripts/sanitize.sh [--with-display] [extra ctest arguments, e.g. -V]
#   --with-display  also the X11 desktop and hot-key suites on Xvfb (Xvfb and openbox needed)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build-asan
JOBS=${JOBS:-$(nproc)}
start=$(date +%s)
with_display=0
if [ "${1:-}" = --with-display ]; then
    with_display=1
    shift
fi

# float-cast-overflow (a double too large for its integer) is undefined behaviour that g++ leaves
# out of -fsanitize=undefined; _GLIBCXX_ASSERTIONS checks indexes inside a container's capacity,
# which AddressSanitizer cannot see.
SAN_FLAGS="-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=all"
echo "== sanitize: configuring $BUILD"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_CXX_FLAGS="-O1 -D_GLIBCXX_ASSERTIONS $SAN_FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$SAN_FLAGS" \
    -DCMAKE_SHARED_LINKER_FLAGS="$SAN_FLAGS" \
    -DCMAKE_MODULE_LINKER_FLAGS="$SAN_FLAGS" \
    -DHUEBIRD_BUILD_TESTS=ON -DHUEBIRD_BUILD_BENCH=OFF >/dev/null

# The tests to run are those whose command is one of our own test programs (read from the
# test files CMake wrote, since nothing is built yet). Tests run through a shell script (end to
# end, Xvfb, the hot-key library) need a display or the whole program and are left to the
# regular suite.
mapfile -t pairs < <(find "$BUILD/tests" -name CTestTestfile.cmake -exec cat {} + |
    sed -n 's|^add_test(\[=\[\([^]]*\)\]=\] "'"$BUILD"'/tests/\([^"]*/\)\{0,1\}\([^"/]*\)".*|\1 \3|p')
if [ ${#pairs[@]} -eq 0 ]; then
    echo "== sanitize: no test programs found" >&2
    exit 1
fi
names=()
targets=()
for p in "${pairs[@]}"; do
    names+=("${p%% *}")
    targets+=("${p##* }")
done
string_checks=1
if [ $with_display -eq 1 ]; then
    # These run through their scripts; the programs to build are the script's arguments.
    for name in platform_x11 hook; do
        line=$(find "$BUILD/tests" -name CTestTestfile.cmake -exec cat {} + |
            grep -F "add_test([=[$name]=] ") || { echo "== sanitize: no test $name" >&2; exit 1; }
        names+=("$name")
        for arg in $(grep -o '"'"$BUILD"'/tests/[^"]*"' <<<"$line" | tr -d '"'); do
            targets+=("$(basename "$arg")")
        done
    done
    # libxkbcommon-x11 copies names out of the server's reply with strndup, which stops at the
    # given length; the strict check wants a terminating zero there and reports a false overflow.
    string_checks=0
fi
echo "== sanitize: building ${targets[*]}"
cmake --build "$BUILD" -j"$JOBS" --target "${targets[@]}" >"$BUILD/build.log" 2>&1 || {
    tail -n 60 "$BUILD/build.log" >&2
    echo "== sanitize: build FAILED (full log: $BUILD/build.log)" >&2
    exit 1
}
built=$(date +%s)

regex="^($(IFS='|'; echo "${names[*]}"))\$"
# A report ends the program with a failing exit status rather than abort(): Qt Test answers
# SIGABRT by attaching a debugger and burying the report under every thread's stack.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=$string_checks:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitize/lsan.supp:print_suppressions=0"
echo "== sanitize: running ${names[*]}"
status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 300 -R "$regex" "$@") || status=$?
end=$(date +%s)

echo "== sanitize: build $((built - start)) s, tests $((end - built)) s"
if [ $status -ne 0 ]; then
    echo "== sanitize: FAILED (a test failed or a sanitizer reported; see above)" >&2
    exit 1
fi
echo "== sanitize: passed, no sanitizer reports"
