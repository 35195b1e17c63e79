#include "rngfile.h"

#include "commatext.h"
#include "readfile.h"
#include "savefile.h"
#include "settingstable.h"
#include "textlines.h"

#include <QSet>

namespace {

// A decimal integer that fits in 32 bits, with an optional sign.
std::optional<int> parseInteger(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

void applyValue(const SettingDef &def, const QString &value)
{
    std::visit(
        [&](auto *target) {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, int>) {
                const int number = parseInteger(value).value_or(def.fallback);
                if (number >= def.minimum && number <= def.maximum)
                    *target = number;
            } else if constexpr (std::is_same_v<T, bool>) {
                *target = value == u"1";
            } else if (value.size() <= def.maxLength) {
                *target = value;
            }
        },
        ResolveSetting(def, Usr));
}

QString formatValue(const SettingDef &def)
{
    return std::visit(
        [](auto *source) {
            using T = std::remove_pointer_t<decltype(source)>;
            if constexpr (std::is_same_v<T, int>)
                return QString::number(*source);
            else if constexpr (std::is_same_v<T, bool>)
                return *source ? QStringLiteral("1") : QStringLiteral("0");
            else // a quotation mark inside is doubled, which the reader turns back into one
                return u'"' + QString(*source).replace(u'"', QStringLiteral("\"\"")) + u'"';
        },
        ResolveSetting(def, Usr));
}

} // namespace

RngValues SplitRngLines(const QStringList &lines)
{
    static const QSet<QString> tableKeys = [] {
        QSet<QString> keys;
        for (const SettingDef &def : SettingsTable())
            keys.insert(QString(def.key));
        return keys;
    }();
    RngValues values;
    for (const QString &line : lines) {
        const QStringList items = SplitCommaText(line);
        if (items.size() == 2 && tableKeys.contains(items[0]) && !values.contains(items[0]))
            values.insert(items[0], items[1]);
    }
    return values;
}

QString GetRngInfo(const RngValues &values, const QString &key)
{
    return values.value(key);
}

void ApplyRngLines(const QStringList &lines)
{
    const RngValues values = SplitRngLines(lines);
    for (const SettingDef &def : SettingsTable()) {
        const QString value = GetRngInfo(values, QString(def.key));
        if (!value.isEmpty())
            applyValue(def, value);
        if (def.key == QLatin1StringView("ChartMainParam"))
            Usr.ChartMainFSize = ComputeChartMainFSize(Usr.ChartMainParam);
    }
}

QStringList BuildRngLines()
{
    QStringList lines;
    for (const SettingDef &def : SettingsTable())
        lines.append(QString(def.key) + u',' + formatValue(def));
    return lines;
}

RngReadResult ReadRngFile(const QString &path, QString *reason)
{
    const FileBytes file = ReadFileBounded(path, kSettingsFileLimit);
    if (file.status == FileBytes::Status::Missing)
        return RngReadResult::Missing;
    if (!file.isRead()) {
        if (reason)
            *reason = file.reason;
        return RngReadResult::Unreadable;
    }
    ApplyRngLines(SplitLines(DecodeByBom(file.bytes)));
    return RngReadResult::Loaded;
}

bool WriteRngFile(const QString &path, QString *error)
{
    QByteArray bytes;
    for (const QString &line : BuildRngLines())
        bytes += line.toUtf8() + "\r\n";
    const QString reason = WriteFileSafely(path, bytes);
    if (error)
        *error = reason;
    return reason.isEmpty();
}
