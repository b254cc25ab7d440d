// SPDX-License-Identifier: MIT
// Renders the program's SVG icon into the PNG sizes of the desktop's icon
// theme, at build time:
//   orvel-iconrender ICON.svg FOLDER SIZE...  ->  FOLDER/<SIZE>x<SIZE>/apps/orvelbrowser.png

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: orvel-iconrender ICON.svg FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer icon(arguments.at(1));
    if (!icon.isValid()) {
        std::fprintf(stderr, "orvel-iconrender: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    for (const QString &sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        icon.render(&painter);
        painter.end();
        const QDir folder(arguments.at(2) + QStringLiteral("/%1x%1/apps").arg(size));
        if (size <= 0 || !folder.mkpath(QStringLiteral("."))
            || !image.save(folder.filePath(QStringLiteral("orvelbrowser.png")))) {
            std::fprintf(stderr, "orvel-iconrender: cannot write size %s\n", qPrintable(sizeText));
            return 1;
        }
    }
    return 0;
}
