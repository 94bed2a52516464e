#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a bounded time. Exits non-zero on any finding.
#   scripts/fuzz.sh [SECONDS]    (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzz_lesson_store

# Seeds: every resource of the sample volume, so the fuzzer starts from real streams.
corpus=build/fuzz/corpus/lesson_store
mkdir -p "$corpus"
if [ -z "$(ls -A "$corpus")" ]; then
  cmake --build --preset fuzz --target darvo_content_bundle >/dev/null
  python3 - build/fuzz/content/darvo-content.bin "$corpus" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
count = struct.unpack_from("<I", data, 8)[0]
for i in range(count):
    rtype, rid, offset, size = struct.unpack_from("<HHII", data, 12 + 12 * i)
    open("%s/resource-%d" % (sys.argv[2], rid), "wb").write(data[offset:offset + size])
PY
fi

echo "Fuzzing the lesson store for ${seconds}s"
log=build/fuzz/lesson_store.log
if UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build/fuzz/fuzz/fuzz_lesson_store -max_total_time="$seconds" -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=build/fuzz/ "$corpus" >"$log" 2>&1; then
  grep -E '^Done|exec_per_sec' "$log"
else
  tail -n 80 "$log"
  echo "The fuzzer found a problem (input saved under build/fuzz/; full log: $log)" >&2
  exit 1
fi
