// SPDX-License-Identifier: MIT
// The floor for start-up benchmarks: the smallest Qt WebEngine program that
// loads one address in a view, in the engine's default configuration.

#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QWebEngineView view;
    view.load(QUrl::fromUserInput(QApplication::arguments().value(1)));
    view.resize(1024, 768);
    view.show();
    return QApplication::exec();
}
