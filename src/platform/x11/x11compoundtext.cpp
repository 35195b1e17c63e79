#include "x11compoundtext.h"

#include <QStringDecoder>
#include <array>

namespace {

constexpr char escape = '\x1b';
constexpr char controlSequenceIntroducer = '\x9b';
constexpr QByteArrayView utf8Start = "\x1b%G";
constexpr QByteArrayView utf8End = "\x1b%@";

enum class Half { Left, Right };

// A character set the escape sequence puts into the left (GL) or right (GR) half of the code
// table. `setHighBit`: its bytes in the left half are decoded with the high bit set, as the
// encoding named expects them (EUC and Shift_JIS forms).
struct Designation {
    QByteArrayView escapeSequence;
    Half half;
    const char *encoding;
    bool setHighBit;
};

constexpr std::array designations{
    Designation{"\x1b(B", Half::Left, "ISO-8859-1", false},
    Designation{"\x1b(J", Half::Left, "ISO-8859-1", false},
    Designation{"\x1b(I", Half::Left, "Shift_JIS", true},
    Designation{"\x1b)I", Half::Right, "Shift_JIS", false},
    Designation{"\x1b-A", Half::Right, "ISO-8859-1", false},
    Designation{"\x1b-B", Half::Right, "ISO-8859-2", false},
    Designation{"\x1b-C", Half::Right, "ISO-8859-3", false},
    Designation{"\x1b-D", Half::Right, "ISO-8859-4", false},
    Designation{"\x1b-F", Half::Right, "ISO-8859-7", false},
    Designation{"\x1b-G", Half::Right, "ISO-8859-6", false},
    Designation{"\x1b-H", Half::Right, "ISO-8859-8", false},
    Designation{"\x1b-L", Half::Right, "ISO-8859-5", false},
    Designation{"\x1b-M", Half::Right, "ISO-8859-9", false},
    Designation{"\x1b$(A", Half::Left, "GB2312", true},
    Designation{"\x1b$)A", Half::Right, "GB2312", false},
    Designation{"\x1b$(B", Half::Left, "EUC-JP", true},
    Designation{"\x1b$)B", Half::Right, "EUC-JP", false},
    Designation{"\x1b$(C", Half::Left, "EUC-KR", true},
    Designation{"\x1b$)C", Half::Right, "EUC-KR", false},
};

constexpr Designation ascii = designations[0];
constexpr Designation latin1Right = designations[4];
constexpr Designation unknownLeft{{}, Half::Left, nullptr, false};
constexpr Designation unknownRight{{}, Half::Right, nullptr, false};

QString decodeRun(const char *encoding, const QByteArray &bytes)
{
    if (!encoding)
        return QString(bytes.size(), QChar::ReplacementCharacter);
    QStringDecoder decoder(encoding);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder(bytes);
}

class CompoundTextDecoder {
public:
    explicit CompoundTextDecoder(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    QString decode()
    {
        while (m_pos < m_bytes.size()) {
            const char byte = m_bytes[m_pos];
            if (byte == escape)
                readEscapeSequence();
            else if (byte == controlSequenceIntroducer)
                skipControlSequence();
            else
                readByte(static_cast<unsigned char>(byte));
        }
        flush();
        return m_text;
    }

private:
    void readEscapeSequence()
    {
        const QByteArrayView rest = m_bytes.sliced(m_pos);
        if (rest.startsWith(utf8Start)) {
            readUtf8Segment();
            return;
        }
        for (const Designation &designation : designations) {
            if (rest.startsWith(designation.escapeSequence)) {
                designate(designation);
                m_pos += designation.escapeSequence.size();
                return;
            }
        }
        skipUnknownEscapeSequence();
    }

    void readUtf8Segment()
    {
        flush();
        const qsizetype start = m_pos + utf8Start.size();
        qsizetype end = m_bytes.indexOf(utf8End, start);
        if (end < 0)
            end = m_bytes.size();
        m_text += QString::fromUtf8(m_bytes.sliced(start, end - start));
        m_pos = qMin(end + utf8End.size(), m_bytes.size());
    }

    // ESC, intermediate bytes 0x20-0x2F, one final byte. A set designated this way is unknown
    // to us: its half decodes to U+FFFD until another set is designated.
    void skipUnknownEscapeSequence()
    {
        const qsizetype start = ++m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] >= 0x20 && m_bytes[m_pos] <= 0x2f)
            ++m_pos;
        const QByteArrayView intermediates = m_bytes.sliced(start, m_pos - start);
        if (m_pos < m_bytes.size())
            ++m_pos;
        if (intermediates.contains('('))
            designate(unknownLeft);
        else if (intermediates.contains(')') || intermediates.contains('-'))
            designate(unknownRight);
    }

    // Direction changes (CSI 1 ] and the like) do not change the characters.
    void skipControlSequence()
    {
        ++m_pos;
        while (m_pos < m_bytes.size()) {
            const auto byte = static_cast<unsigned char>(m_bytes[m_pos++]);
            if (byte >= 0x40 && byte <= 0x7e)
                return;
        }
    }

    void designate(const Designation &designation)
    {
        (designation.half == Half::Left ? m_left : m_right) = &designation;
    }

    void readByte(unsigned char byte)
    {
        ++m_pos;
        if (byte < 0x20) {
            append(ascii.encoding, byte);
            return;
        }
        const Designation &set = byte < 0x80 ? *m_left : *m_right;
        append(set.encoding, set.setHighBit ? byte | 0x80 : byte);
    }

    void append(const char *encoding, unsigned char byte)
    {
        if (encoding != m_runEncoding) {
            flush();
            m_runEncoding = encoding;
        }
        m_run.append(static_cast<char>(byte));
    }

    void flush()
    {
        if (!m_run.isEmpty())
            m_text += decodeRun(m_runEncoding, m_run);
        m_run.clear();
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    const Designation *m_left = &ascii;
    const Designation *m_right = &latin1Right;
    const char *m_runEncoding = nullptr;
    QByteArray m_run;
    QString m_text;
};

} // namespace

QString decodeCompoundText(QByteArrayView bytes)
{
    return CompoundTextDecoder(bytes).decode();
}
