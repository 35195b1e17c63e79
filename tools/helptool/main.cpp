// Build-time helper that makes the help document: it draws the document's pictures from the
// program's own windows, offscreen, then writes the Markdown chapters and the pictures into
// help/RusHelp.pdf.
#include "helpdocument.h"
#include "helppictures.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: kalvo_helptool <programs folder> <chapter folder> "
                             "<picture folder> <output.pdf>\n");
        return 2;
    }
    // Offscreen, and at twice the size, so the pictures stay sharp in print.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QString error = RenderHelpPictures(args[1], args[3]);
    if (error.isEmpty())
        error = WriteHelpPdf(args[2], args[3], args[4]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kalvo_helptool: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
