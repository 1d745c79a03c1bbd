// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-icons: the program's icon at the sizes of the hicolor icon theme, rendered from its
// scalable drawing.
//
//   vesk-make-icons ICON.svg OUTPUT_FOLDER
//
// Writes OUTPUT_FOLDER/NxN/apps/NAME.png for N = 16, 24, 32, 48, 64, 128 and 256, NAME being
// the drawing's file name without its extension.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vesk-make-icons ICON.svg OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString drawing = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(drawing);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vesk-make-icons: %s is not a drawing that can be rendered\n",
                     argv[1]);
        return 1;
    }
    const QString name = QFileInfo(drawing).completeBaseName();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        renderer.render(&painter);
        painter.end();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        QSaveFile file(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
            !icon.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "vesk-make-icons: cannot write %s: %s\n",
                         qPrintable(file.fileName()), qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
