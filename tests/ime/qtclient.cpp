// A Qt 6 program with two line fields, as the window a user types into: each change of a
// field prints "<field>:<text>" on a line of its own.
#include <QApplication>
#include <QLineEdit>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(app.arguments().value(1, QStringLiteral("kalvo-qt-client")));
    auto *layout = new QVBoxLayout(&window);
    QTextStream out(stdout);
    for (int field = 1; field <= 2; ++field) {
        auto *edit = new QLineEdit(&window);
        layout->addWidget(edit);
        QObject::connect(edit, &QLineEdit::textChanged, [&out, field](const QString &text) {
            out << field << ':' << text << Qt::endl;
        });
    }
    window.resize(400, 100);
    window.show();
    return app.exec();
}
