// Converts the installation data authored as UTF-8 text into the stored form:
//   kalvo_datatool utf16 <in> <out>   UTF-16 little-endian with FF FE, CR LF after every line
//   kalvo_datatool layouts <out>      the three Russian layouts as a table users can read
#include "core/textlines.h"
#include "input/keytables.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

int fail(const char *what, const QString &path)
{
    std::fprintf(stderr, "kalvo_datatool: %s %s\n", what, qPrintable(path));
    return 1;
}

int writeStored(const QStringList &lines, const QString &out)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    QSaveFile target(out);
    const QByteArray bytes = EncodeUtf16LeBom(text);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() ||
        !target.commit())
        return fail("cannot write", out);
    return 0;
}

int toUtf16(const QString &in, const QString &out)
{
    QFile source(in);
    if (!source.open(QIODevice::ReadOnly))
        return fail("cannot read", in);
    return writeStored(SplitLines(QString::fromUtf8(source.readAll())), out);
}

// One block per layout: index, then key label and character without and with Shift.
int writeLayouts(const QString &out)
{
    QStringList lines{QStringLiteral("Kalvo ロシア語キーボード配列表"),
                      QStringLiteral("番号\tキー\tShift なし\tキー(Shift)\tShift あり")};
    for (int index = 1; index <= 3; ++index) {
        const RussianLayout &layout = PadLayout(index);
        lines << QString() << QStringLiteral("[%1] %2").arg(layout.identifier, layout.name);
        for (int key = 0; key < layout.keyCount; ++key) {
            const KeyCap lower = layout.table(1, key);
            const KeyCap upper = layout.table(2, key);
            lines << QStringLiteral("%1\t%2\t%3\t%4\t%5")
                         .arg(key)
                         .arg(lower.subCaption, lower.caption, upper.subCaption, upper.caption);
        }
    }
    return writeStored(lines, out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "utf16")
        return toUtf16(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 3 && QByteArray(argv[1]) == "layouts")
        return writeLayouts(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: kalvo_datatool utf16 <in> <out> | layouts <out>\n");
    return 2;
}
