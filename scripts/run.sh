#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job: the desktop program on the
# bundled samples (their folder as the data folder) with the sample chart open. Its settings live
# under build/desktop-home, so your own are never touched. Without a display ($DISPLAY and
# $WAYLAND_DISPLAY unset) it runs on the offscreen platform, saves pictures of its windows under
# build/desktop-pictures and ends. It also draws a chart of the same sample to
# build/sample-chart.png with quillmar-cli; extra arguments go to that chart command, for example
# --size 1600x900 or --type ohlc.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build

cli=build/src/cli/quillmar-cli
app=build/src/app/quillmar
sample="samples/ACME = Acme Industries.csv"

# The command line's picture of the sample, with settings beside the build.
out=build/sample-chart.png
settings=build/sample-settings
mkdir -p "$settings"
"$cli" chart "$sample" --settings-dir "$settings" --type candle \
    --add ma --add bollinger --add sar --add macd --add rsi --add volume -o "$out" "$@"
echo "Sample chart: $root/$out"

# The desktop program in a home of its own under build/: the samples are its data folder, its
# download folders lie beside them under build/, never in the repository.
home=$root/build/desktop-home
mkdir -p "$home/config/Quillmar" "$home/data" "$home/Documents" "$home/tmp" "$home/run"
chmod 700 "$home/run"
downloads=$home/downloads
conf=$home/config/Quillmar/Quillmar7.conf
if [[ ! -f $conf ]]; then
    cat >"$conf" <<CONF
[Dirs]
AsciiDataDir=$root/samples
YAHOO_DATA=$downloads/Yahoo Data
GOOGLE_DATA=$downloads/Google Data
OTC_DATA=$downloads/Otc Data
QMEDIA_DATA=$downloads/Qmedia Data
NASDAQ_DATA=$downloads/Nasdaq Data
ImageDir=$home/Documents
CONF
fi
for service in Yahoo Google Otc Qmedia Nasdaq; do mkdir -p "$downloads/$service Data"; done
# Charts opened by symbol carry a moving average, Bollinger bands, MACD and RSI: the indicator
# request list holds byte pairs of kind and pane.
requests=$home/data/Quillmar/Quillmar7/Osc_List.osl
if [[ ! -f $requests ]]; then
    mkdir -p "$(dirname "$requests")"
    printf '\x00\x02\x01\x02\x0e\x02\x10\x05\x11\x04' >"$requests"
fi
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data TMPDIR=$home/tmp \
    XDG_RUNTIME_DIR=$home/run

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    pictures=$root/build/desktop-pictures
    rm -rf "$pictures"
    QT_QPA_PLATFORM=offscreen "$app" "$root/$sample" --pictures "$pictures"
    echo "No display here: the desktop program ran offscreen; pictures of its windows:"
    ls "$pictures"/*.png | sed 's/^/  /'
    cat <<USAGE

On a desktop, this script starts the program itself; to start it by hand on the samples:

  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \\
      $root/$app "$root/$sample"

Type a symbol (ACME, BOLT, KRNX, QMIX) in the box left of the open button and press Enter; the
buttons at a chart's bottom right, the mouse wheel and the space bar move through the data.
'$cli chart --help' lists what the command-line tool can draw.
USAGE
else
    echo "Starting the desktop program on the samples (close its main window to end)."
    "$app" "$root/$sample"
fi
