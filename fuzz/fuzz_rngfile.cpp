// The settings reader: any file is read without harm, and what the program then writes reads
// back to the same settings.
#include "core/rngfile.h"
#include "core/settingstable.h"
#include "core/textlines.h"
#include "fuzzinput.h"

namespace {

// Resets the settings and reads a settings file's bytes into them.
void readSettings(const QByteArray &bytes)
{
    InitUsrVars(false, 0);
    ApplyRngLines(SplitLines(DecodeByBom(bytes)));
}

// The file the program writes: every line in UTF-8 with CR LF.
QByteArray writtenFile()
{
    QByteArray bytes;
    for (const QString &line : BuildRngLines())
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readSettings(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    // Compared as written bytes: UTF-8 has no form for a lone surrogate of a UTF-16 file, so
    // such a value changes once, on the first write.
    const QByteArray written = writtenFile();
    readSettings(written);
    Require(writtenFile() == written, "the written settings read back to the same settings");
    return 0;
}
