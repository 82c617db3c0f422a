// The least any chart program on Qt does, as one process: start the application on the
// offscreen platform, register the chart fonts, draw a line of text on a 1024 x 600 image, and
// save it as PNG with the command line's encoder and atomic save. The command-line benchmark
// times it beside quillmar-cli, to tell what the chart costs from what starting Qt costs.
// With --libraries-only it returns as soon as main is reached: what loading Qt's shared
// libraries costs before any of the program runs. With --steps it prints, on standard error,
// the milliseconds from main to the end of each step.
// Usage: qt_floor [--steps] OUTPUT.png | qt_floor --libraries-only

#include "imaging/ImageEncoders.h"
#include "market/SafeFile.h"
#include "render/ChartFonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

class StepClock {
public:
    explicit StepClock(bool shown) : shown_(shown) {}
    void done(const char* step) const {
        if (!shown_) return;
        const std::chrono::duration<double, std::milli> since =
            std::chrono::steady_clock::now() - start_;
        std::fprintf(stderr, "%-24s %6.1f ms\n", step, since.count());
    }

private:
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--libraries-only") return 0;
    const bool steps = argc == 3 && std::string_view(argv[1]) == "--steps";
    const StepClock clock(steps);
    // Qt's notices (no runtime folder set, and the like) are not shown, as in quillmar-cli.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const char* output = argv[argc - 1];
    clock.done("application");
    qm::chart::registerChartFonts();
    clock.done("fonts registered");
    QImage image(1024, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    clock.done("image cleared");
    {
        QPainter painter(&image);
        painter.setFont(qm::chart::chartFont(11));
        painter.drawText(10, 20, QStringLiteral("LONG  5/31/2016  O 25.10  H 25.90  L 24.80"));
    }
    clock.done("text drawn");
    std::string png;
    if (!qm::encodePng(image, png).ok) return 1;
    clock.done("encoded");
    if (!qm::saveFileAtomically(output, png).ok) return 1;
    clock.done("saved");
    return 0;
}
