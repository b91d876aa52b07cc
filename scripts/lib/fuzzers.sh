# Sourced by the test script and the fuzz benchmark: the fuzzers of a native build folder.
#   fuzzers_in DIR          the fuzzer programs built in DIR whose source is still in the tree
#                           (an older build folder may hold one whose source is gone)
#   fuzz_seeds NAME FOLDER  a copy of NAME's seed corpus in FOLDER, so what the fuzzer adds to
#                           its corpus stays out of the repository

fuzzers_in() {
    local fuzzer name
    for fuzzer in "$1"/fuzz_*; do
        name=$(basename "$fuzzer")
        if [ -x "$fuzzer" ] && { [ -f "tests/fuzz/$name.cpp" ] || [ -f "tests/decoder/$name.cpp" ]; }; then
            echo "$fuzzer"
        fi
    done
}

fuzz_seeds() {
    mkdir -p "$2"
    if [ -d "tests/fuzz/corpus/$1" ]; then cp -r "tests/fuzz/corpus/$1/." "$2/"; fi
}
