#include "ipacatalogue.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <optional>

// The table lives in a static library, whose resources have to be registered by hand. This
// must stay outside any namespace: the macro declares the registration function extern.
static void RegisterIpaResource()
{
    Q_INIT_RESOURCE(ipa);
}

namespace {

const QString CataloguePath = QStringLiteral(":/ipa/ipa_catalogue.tsv");

// One record per line: four hexadecimal digits, English name, Japanese name, description,
// separated by tabs. The description may be empty. Lines that do not fit are skipped.
std::optional<IpaRecord> ParseLine(QStringView line)
{
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() < 3 || fields.size() > 4 || fields[0].size() != 4)
        return std::nullopt;
    bool ok = false;
    const ushort code = fields[0].toUShort(&ok, 16);
    if (!ok)
        return std::nullopt;
    return IpaRecord{code, fields[1].toString(), fields[2].toString(),
                     fields.size() == 4 ? fields[3].toString() : QString()};
}

struct Catalogue {
    QList<IpaRecord> records;
    QHash<char16_t, qsizetype> index;
};

Catalogue Load()
{
    RegisterIpaResource();
    Catalogue catalogue;
    QFile file(CataloguePath);
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        std::optional<IpaRecord> record = ParseLine(line);
        if (!record || catalogue.index.contains(record->code))
            continue;
        catalogue.index.insert(record->code, catalogue.records.size());
        catalogue.records.append(std::move(*record));
    }
    return catalogue;
}

const Catalogue &TheCatalogue()
{
    static const Catalogue catalogue = Load();
    return catalogue;
}

} // namespace

std::span<const IpaRecord> IpaCatalogue()
{
    const QList<IpaRecord> &records = TheCatalogue().records;
    return {records.constData(), size_t(records.size())};
}

void GetIPAInfo(QChar ch, QString &english, QString &japanese, QString &description)
{
    english.clear();
    japanese.clear();
    description.clear();
    const Catalogue &catalogue = TheCatalogue();
    const auto it = catalogue.index.constFind(ch.unicode());
    if (it == catalogue.index.cend())
        return;
    const IpaRecord &record = catalogue.records[*it];
    english = record.english;
    japanese = record.japanese;
    description = record.description;
}

QString IpaExplanation(QChar ch)
{
    QString english, japanese, description;
    GetIPAInfo(ch, english, japanese, description);
    return u'【' + japanese + u'】' + description;
}
