// The least any chart program on Qt does, as one process: start the application on the
// offscreen platform, register the chart fonts, draw a line of text on a 1024 x 600 image, and
// save it as PNG with the command line's encoder and atomic save. The command-line benchmark
// times it beside quillmar-cli, to tell what the chart costs from what starting Qt costs.
// Usage: qt_floor OUTPUT.png

#include "imaging/ImageEncoders.h"
#include "market/SafeFile.h"
#include "render/ChartFonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>

int main(int argc, char** argv) {
    // Qt's notices (no runtime folder set, and the like) are not shown, as in quillmar-cli.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    qm::chart::registerChartFonts();
    QImage image(1024, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(qm::chart::chartFont(11));
        painter.drawText(10, 20, QStringLiteral("LONG  5/31/2016  O 25.10  H 25.90  L 24.80"));
    }
    std::string png;
    if (!qm::encodePng(image, png).ok) return 1;
    return qm::saveFileAtomically(argv[1], png).ok ? 0 : 1;
}
