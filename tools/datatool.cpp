// Converts the installation data authored as UTF-8 text into the stored form:
//   kalvo_datatool utf16 <in> <out>   UTF-16 little-endian with FF FE, CR LF after every line
#include "core/textlines.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

int fail(const char *what, const QString &path)
{
    std::fprintf(stderr, "kalvo_datatool: %s %s\n", what, qPrintable(path));
    return 1;
}

int toUtf16(const QString &in, const QString &out)
{
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly))
        return fail("cannot read", in);
    QString text;
    for (const QString &line : SplitLines(QString::fromUtf8(source.readAll())))
        text += line + QStringLiteral("\r\n");
    QSaveFile target(out);
    const QByteArray bytes = EncodeUtf16LeBom(text);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() ||
        !target.commit())
        return fail("cannot write", out);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "utf16")
        return toUtf16(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    std::fprintf(stderr, "usage: kalvo_datatool utf16 <in> <out>\n");
    return 2;
}
