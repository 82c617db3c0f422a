#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job without a display: draws a
# chart of a bundled sample (candles, three overlays, three oscillators) into a PNG file, says
# where it is, and shows how to use quillmar-cli. Extra arguments go to the chart command, for
# example --size 1600x900 or --type ohlc.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build

cli=build/src/cli/quillmar-cli
out=build/sample-chart.png
# The sample keeps its settings beside the build instead of in the user's settings folder.
settings=build/sample-settings
mkdir -p "$settings"
"$cli" chart "samples/ACME = Acme Industries.csv" --settings-dir "$settings" --type candle \
    --add ma --add bollinger --add sar --add macd --add rsi --add volume -o "$out" "$@"

echo "Sample chart: $root/$out"
cat <<USAGE

quillmar-cli draws charts and prints their numbers from any price file:

  $cli chart PRICEFILE [options] -o OUTFILE     (.png .bmp .gif .jpg .pdf)
  $cli values PRICEFILE [options] > values.csv  (bars and indicator values as CSV)
  $cli kinds                                    (the indicator kinds and their short names)

For example:

  $cli chart samples/BOLT.csv --interval weekly --add ema --add stoch -o bolt.gif
  $cli chart "samples/ACME = Acme Industries.csv" --vs samples/QMIX.csv -o acme-to-qmix.pdf
  $cli values samples/KRNX.csv --add rsi --offset 20 --size 800x500

'$cli chart --help' lists the options; docs/CLI.md explains them.
USAGE
