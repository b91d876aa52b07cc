# Sourced by the test script and the fuzz benchmark: the fuzzers of a native build folder.
#   fuzzers_in DIR          the fuzzer programs built in DIR whose source is still in the tree
#                           (an older build folder may hold one whose source is gone)
#   fuzz_seeds FUZZER FOLDER  the fuzzer's seeds in FOLDER: a copy of its corpus, so what it
#                             adds stays out of the repository, and for the BGL fuzzer the
#                             files the fixture writer of the same build folder writes

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
    local name sample="$2/sample.bgl"
    name=$(basename "$1")
    mkdir -p "$2"
    if [ -d "tests/fuzz/corpus/$name" ]; then cp -r "tests/fuzz/corpus/$name/." "$2/"; fi
    [ "$name" = fuzz_bgl ] || return 0
    # The sample, its header alone, cut inside a record, and longer by one and five bytes: the
    # fuzzer takes the decode options from the size, so each of these is decoded another way.
    "$(dirname "$1")/bgl_fixture" "$sample" || return 1
    head -c 56 "$sample" >"$2/header-alone"
    head -c 300 "$sample" >"$2/sample-cut-at-300"
    { cat "$sample"; printf x; } >"$2/sample-in-a-radius"
    { cat "$sample"; printf xxxxx; } >"$2/sample-verbose"
}
