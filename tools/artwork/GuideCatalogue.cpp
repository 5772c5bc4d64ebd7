#include "GuideCatalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <stdexcept>

namespace qw::artwork {

namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    return lines;
}

// One CSV line: commas separate, double quotes enclose a value with commas.
QStringList csvFields(const QString& line)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted) {
            fields << current;
            current.clear();
        } else
            current += c;
    }
    fields << current;
    return fields;
}

double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

// "low - high" of texts as stored, ordered by their value.
QString range(QStringList values)
{
    std::sort(values.begin(), values.end(),
              [](const QString& a, const QString& b) { return number(a) < number(b); });
    values.removeDuplicates();
    return values.size() == 1 ? values.first()
                              : values.first() + QStringLiteral(" - ") + values.last();
}

} // namespace

GuideCatalogue::GuideCatalogue(const QString& sourceFolder) : folder_(sourceFolder)
{
    const QString specsPath = folder_ + QStringLiteral("/specs/Specs.csv");
    const QStringList lines = readLines(specsPath);
    const QStringList header = csvFields(lines.value(0));
    auto column = [&](const char* name) {
        const qsizetype index = header.indexOf(QLatin1String(name));
        if (index < 0)
            throw std::runtime_error(specsPath.toStdString() + " has no column " + name);
        return index;
    };
    const qsizetype size = column("SHAFTSIZE"), suffix = column("KEYSUFFIX"),
                    type = column("ARROWTYPE"), length = column("LENGTH"), od = column("OD"),
                    id = column("ID"), wall = column("WALL"), gpi = column("GPI"),
                    spine = column("SPINE");
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = csvFields(lines[i]);
        if (f.size() != header.size())
            throw std::runtime_error(specsPath.toStdString() + " line " + std::to_string(i + 1) +
                                     " has the wrong number of fields");
        specs_.push_back({f[size].trimmed(), f[suffix].trimmed(), f[type].trimmed(),
                          f[length].trimmed(), f[od].trimmed(), f[id].trimmed(),
                          f[wall].trimmed(), f[gpi].trimmed(), f[spine].trimmed()});
    }

    pages_.push_back({QStringLiteral("hunt_guide.jpg"),
                      QSize(1201, 1593),
                      QStringLiteral("NORVANE"),
                      QStringLiteral("2011 Hunting Shaft Models"),
                      QColor(136, 191, 61),
                      {section(QStringLiteral("Hunting shafts"), QStringLiteral("Hunt.txt"))}});
    pages_.push_back({QStringLiteral("targ_guide.jpg"),
                      QSize(1201, 1628),
                      QStringLiteral("NORVANE"),
                      QStringLiteral("2011 Target & Youth Shaft Models"),
                      QColor(245, 123, 32),
                      {section(QStringLiteral("Target shafts"), QStringLiteral("Targ.txt")),
                       section(QStringLiteral("Youth shafts"), QStringLiteral("Youth.txt"))}});
    pages_.push_back({QStringLiteral("kavl_guide.jpg"),
                      QSize(1213, 911),
                      QStringLiteral("KAVEL"),
                      QStringLiteral("2011 Kavel Shaft Models"),
                      QColor(164, 78, 45),
                      {section(QStringLiteral("Kavel shafts"), QStringLiteral("Kavl.txt"))}});
}

GuideSection GuideCatalogue::section(const QString& title, const QString& legendFile) const
{
    GuideSection result{title, {}};
    static const QRegularExpression split(QStringLiteral("^(\\S+)\\s+(.*)$"));
    for (const QString& line : readLines(folder_ + QStringLiteral("/legends/") + legendFile)) {
        const QRegularExpressionMatch match = split.match(line.trimmed());
        if (!match.hasMatch())
            throw std::runtime_error("legend line without text in " + legendFile.toStdString() +
                                     ": " + line.toStdString());
        const QString code = match.captured(1), text = match.captured(2).trimmed();
        if (code.contains(QLatin1Char(','))) {
            // A tube sold under two families belongs on the first family's card.
            const QString first = code.section(QLatin1Char(','), 0, 0);
            auto owner = std::find_if(result.families.begin(), result.families.end(),
                                      [&](const GuideFamily& f) { return f.code == first; });
            if (owner == result.families.end())
                throw std::runtime_error("legend line " + code.toStdString() +
                                         " comes before its family's own line");
            owner->note = text;
            continue;
        }
        result.families.push_back(family(code, text));
    }
    return result;
}

GuideFamily GuideCatalogue::family(const QString& code, const QString& legend) const
{
    std::vector<const SpecRow*> rows;
    for (const SpecRow& row : specs_)
        if (row.suffix == code)
            rows.push_back(&row);
    if (rows.empty())
        throw std::runtime_error("the legend names " + code.toStdString() +
                                 " but the specification table has no such shaft");
    std::sort(rows.begin(), rows.end(),
              [](const SpecRow* a, const SpecRow* b) { return number(a->size) < number(b->size); });
    GuideFamily result;
    result.code = code;
    result.legend = legend;
    result.arrowType = rows.front()->arrowType;
    QStringList firstGpi, secondGpi, spines, lengths;
    for (const SpecRow* row : rows) {
        result.sizes << row->size;
        const QStringList gpi = row->gpi.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        firstGpi << gpi.value(0);
        if (gpi.size() > 1)
            secondGpi << gpi.value(1);
        spines << row->spine;
        lengths << QString(row->length).remove(QStringLiteral(" in"));
    }
    result.gpiRange = range(firstGpi);
    if (!secondGpi.isEmpty())
        result.gpiRange += QStringLiteral("  (standard alloy %1)").arg(range(secondGpi));
    result.spineRange = range(spines);
    result.lengthRange = range(lengths) + QStringLiteral(" in");
    const SpecRow* sample = rows[rows.size() / 2];
    result.sampleSize = sample->size;
    result.sampleOd = number(sample->od);
    result.sampleId = number(sample->id);
    result.sampleWall = number(sample->wall);
    return result;
}

} // namespace qw::artwork
