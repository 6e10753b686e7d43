#!/usr/bin/env bash
# Builds the fuzz targets, gives each a starting corpus from what the console really reads, and
# runs each until 10 million inputs or 30 minutes, whichever comes first. One line of figures
# per target at the end; logs in fuzz/logs/, inputs that broke something in fuzz/crashes/.
#
#   fuzz/campaign.sh [target...]          all targets when none is named
#   fuzz/campaign.sh --figures [target...] only the figures of the last runs
#   JOBS=2 RUNS=10000000 SECONDS_EACH=1800 fuzz/campaign.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
runs=${RUNS:-10000000}
seconds=${SECONDS_EACH:-1800}
jobs=${JOBS:-1}

mapfile -t all < <(grep -o '^ *fuzz_[a-z]*' fuzz/CMakeLists.txt | tr -d ' ')
figures_only=false
if [ "${1:-}" = --figures ]; then figures_only=true; shift; fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

figures() {
    printf '%-24s %12s %8s %10s %16s %8s %9s\n' target runs seconds execs/s "edges/features" corpus "peak RSS"
    for t in "${targets[@]}"; do
        local log=fuzz/logs/$t.log last
        stat() { grep -o "stat::$1: *[0-9]*" "$log" | tail -1 | grep -o '[0-9]*$'; }
        last=$(grep -E '^#[0-9]+' "$log" | tail -1)
        printf '%-24s %12s %8s %10s %16s %8s %9s\n' "$t" "$(stat number_of_executed_units)" "$(cat "fuzz/logs/$t.seconds")" \
            "$(stat average_exec_per_sec)" "$(grep -o 'cov: [0-9]*' <<<"$last" | cut -d' ' -f2) / $(grep -o 'ft: [0-9]*' <<<"$last" | cut -d' ' -f2)" \
            "$(ls "fuzz/corpus/$t" | wc -l)" "$(stat peak_rss_mb) MB"
    done
}
if $figures_only; then figures; exit; fi

[ -f $build/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DBEHEER_FUZZ=ON -DBEHEER_TESTS=OFF >/dev/null
cmake --build $build --target "${targets[@]}" -- -j"$(nproc)"

# --- Starting corpora: what the console really reads -------------------------------------------
corpus=fuzz/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed() { # seed <target> <text>...: one file per text
    mkdir -p "$corpus/$1"
    local target=$1 n=0
    shift
    for text in "$@"; do printf '%s' "$text" >"$corpus/$target/seed-$((++n))"; done
}

# The demo administration with a password, and a registry file written by the tool's jobs.
demo() {
    [ -e "$work/registry.reg" ] && return
    cmake --build $build --target korvenal-admin -- -j"$(nproc)"
    local admin=$build/src/app/korvenal-admin folder=$work/Akkerhof012026
    export BEHEER_REGISTRY=$work/registry.reg
    $admin demo "$folder" --password 'Akker#2026' >/dev/null
    $admin email "$folder" server server=smtp.akkerhof.nl poort=587 gebruiker=info wachtwoord=geheim >/dev/null
    $admin opties "$folder" frmGoogle --ja UseGoogleAPIKey=aan GoogleAPIKey=AIza-proef >/dev/null
    $admin koppelingen "$folder" >/dev/null || true
}
seed_fuzz_regfile() {
    demo
    mkdir -p $corpus/fuzz_regfile
    cp "$work/registry.reg" $corpus/fuzz_regfile/seed-demo.reg
    # As the Registry Editor writes it: UTF-16 with a byte-order mark and CR LF.
    python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); open(sys.argv[2],"wb").write(b"\xff\xfe"+d.decode().replace("\n","\r\n").encode("utf-16-le"))' \
        "$work/registry.reg" $corpus/fuzz_regfile/seed-utf16.reg
}
seed_fuzz_wachtwoord() {
    demo
    seed fuzz_wachtwoord false TRUE
    cp "$work/Akkerhof012026/korvenal.pwd" $corpus/fuzz_wachtwoord/seed-pwd
}
seed_fuzz_jetsql() { # every SQL text of the console's sources
    mkdir -p $corpus/fuzz_jetsql
    python3 - "$corpus/fuzz_jetsql" src <<'PY'
import pathlib, re, sys
out, n = pathlib.Path(sys.argv[1]), 0
literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
for source in pathlib.Path(sys.argv[2]).rglob('*.cpp'):
    for text in literal.findall(source.read_text(errors='replace')):
        if re.match(r'\s*(SELECT|UPDATE|DELETE|INSERT)\b', text, re.I):
            n += 1
            (out / f'seed-{n}').write_text(text.replace('\\"', '"').replace('\\\\', '\\'))
PY
}
seed_fuzz_auditfilecontrole() { seed fuzz_auditfilecontrole "$(cat tests/finance/data/fixture.xaf)"; }
seed_fuzz_mailkop() {
    seed fuzz_mailkop $'info@akkerhof.nl\1Akkerhof B.V.\1klant@voorbeeld.nl\1Factuur 2026-0012\1info@akkerhof.nl' \
        $'boekhouding@café.nl\1Café de Nieuwe Weg\1jan@voorbeeld.nl; piet@voorbeeld.nl\1Herinnering: uw bestelling van 8 december\1' \
        $'a@b.nl\1\1c@d.nl,e@f.nl\1=?utf-8?q?Caf=C3=A9?=\1'
}
seed_fuzz_iban() {
    seed fuzz_iban NL91ABNA0417164300 NL20INGB0001234567 DE89370400440532013000 BE68539007547034 \
        GB29NWBK60161331926819 FR1420041010050500013M02606 NL58ABNA041716430 'nl91 abna 0417 1643 00'
}
amounts=('1.234,56' '-0,30' '1234567,891' '0,005' '<12,50>' '99999999999,99' '1e5' ' 12 ')
dates=('08122026' '081226' '0812' '8-12-2026' '29-02-2024' '31-04-2026' '20261208' '01-01-1500')
seed_fuzz_formatbedrag() { seed fuzz_formatbedrag "${amounts[@]}"; }
seed_fuzz_formatgetal() { seed fuzz_formatgetal "${amounts[@]}" '0,0001' 'n/a'; }
seed_fuzz_datumcontroleren() { seed fuzz_datumcontroleren "${dates[@]}"; }
seed_fuzz_datuminvoer() { seed fuzz_datuminvoer "${dates[@]}"; }
seed_fuzz_sepatekst() { seed fuzz_sepatekst 'Factuur 2026-0012 Café Zoë' 'Ordernr. 4711 / levering 08-12' 'Ünïcödé & <tekens>'; }
seed_fuzz_registration() { seed fuzz_registration '1234 AB' '1234ab' 'NL123456789B01' 'NL 8001.23.456.B.01' '0417164300' '12.34.56.789'; }
for t in "${targets[@]}"; do "seed_$t"; done

# --- The runs ----------------------------------------------------------------------------------
declare -A maxlen=([fuzz_auditfilecontrole]=16384 [fuzz_regfile]=4096 [fuzz_jetsql]=2048)
mkdir -p fuzz/logs fuzz/crashes
run() {
    local t=$1 start=$SECONDS
    mkdir -p "$corpus/$t"
    "$build/fuzz/$t" "$corpus/$t" -runs="$runs" -max_total_time="$seconds" -max_len="${maxlen[$t]:-1024}" \
        -print_final_stats=1 -artifact_prefix="fuzz/crashes/$t-" >"fuzz/logs/$t.log" 2>&1 \
        && echo "$t: done" || echo "$t: FINDING (fuzz/logs/$t.log)"
    echo $((SECONDS - start)) >"fuzz/logs/$t.seconds"
}
export -f run
export build corpus runs seconds
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c "$(declare -p maxlen); run {}"

figures
