#!/bin/sh
# The export of a 24-megapixel JPEG by the command-line tool against a plain djpeg of the same
# file, both as whole processes under /usr/bin/time, run alternately so that a machine shared
# with other work disturbs both alike. Prints the median wall time, CPU time (user + system)
# and peak memory of each, and the ratios.
#
#   bench/cli/export_jpeg.sh [CLI] [RUNS] [OTHER_CLI]
#
# CLI defaults to the release build's tool; RUNS to 9; OTHER_CLI (say, an earlier build) is
# timed in the same runs when given. Needs djpeg and cjpeg
# (libjpeg-turbo-progs) and python3 with Pillow.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${1:-$root/build/release/src/cli/tembrin-ico-cli}
runs=${2:-9}
other=${3:-}
work=$(mktemp -d /tmp/tembrin_export_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# A photo-like 6000 x 4000 picture (gradients and noise), baseline 4:2:0 at quality 90.
/usr/bin/python3 - "$work/picture.ppm" <<'PY'
import sys
from PIL import Image
size = (6000, 4000)
red = Image.linear_gradient("L").resize(size)
# Mild texture: a fifth noise over a gradient, as in a photo rather than static.
green = Image.blend(Image.linear_gradient("L").rotate(90).resize(size),
                    Image.effect_noise(size, 64), 0.2)
blue = Image.radial_gradient("L").resize(size)
Image.merge("RGB", (red, green, blue)).save(sys.argv[1])
PY
cjpeg -quality 90 "$work/picture.ppm" > "$work/picture.jpg"
rm "$work/picture.ppm"

# One run: prints "wall cpu peak_kib".
measure() {
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null
    awk '{ printf "%s %.3f %s\n", $1, $2 + $3, $4 }' "$work/time"
}

: > "$work/ours"
: > "$work/djpeg"
: > "$work/other"
i=0
while [ "$i" -lt "$runs" ]; do
    measure "$cli" export --size 64 "$work/picture.jpg" "$work/out.ico" >> "$work/ours"
    measure djpeg "$work/picture.jpg" >> "$work/djpeg"
    [ -z "$other" ] || measure "$other" export --size 64 "$work/picture.jpg" "$work/o.ico" >> "$work/other"
    i=$((i + 1))
done

median() {  # column of file
    sort -g -k "$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}
echo "file: $(stat -c %s "$work/picture.jpg") bytes, 6000 x 4000, $runs runs each"
for who in ours djpeg $([ -z "$other" ] || echo other); do
    printf "%-6s wall %6.3f s  cpu %6.3f s  peak %6.1f MiB\n" "$who" \
        "$(median 1 "$work/$who")" "$(median 2 "$work/$who")" \
        "$(echo "$(median 3 "$work/$who")" | awk '{ print $1 / 1024 }')"
done
awk -v ow="$(median 1 "$work/ours")" -v dw="$(median 1 "$work/djpeg")" \
    -v oc="$(median 2 "$work/ours")" -v dc="$(median 2 "$work/djpeg")" \
    'BEGIN { printf "ours / djpeg: wall %.3f, cpu %.3f\n", ow / dw, oc / dc }'
[ -z "$other" ] || awk -v ow="$(median 1 "$work/other")" -v dw="$(median 1 "$work/djpeg")" \
    -v oc="$(median 2 "$work/other")" -v dc="$(median 2 "$work/djpeg")" \
    'BEGIN { printf "other / djpeg: wall %.3f, cpu %.3f\n", ow / dw, oc / dc }'
