#include "kit/keys/ZipPlus4.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane::zipPlus4 {

namespace {

bool isDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isFiveDigits(QStringView zip)
{
    return zip.size() == 5 && isDigits(zip);
}

QString withPlus4(QStringView five, int plus4)
{
    const int wrapped = ((plus4 % 10000) + 10000) % 10000;
    return five + u'-' + QString::number(wrapped).rightJustified(4, u'0');
}

// A key that first met a ZIP code without a +4 part has none to offset from:
// the offset is drawn from its secret, so the copy shows no real +4 part.
int secretOffset(QStringView standInFive, const ProjectKey &key)
{
    return int(key.digest(u"zip+4|"_s + standInFive, 0, u"4") % 10000);
}

} // namespace

std::optional<int> of(QStringView zip)
{
    if (zip.size() != 10 || zip.at(5) != u'-' || !isDigits(zip.first(5)) || !isDigits(zip.sliced(6)))
        return std::nullopt;
    return zip.sliced(6).toInt();
}

QString written(QStringView real, QStringView storedReal, QStringView standIn, const ProjectKey &key)
{
    if (isFiveDigits(real) && of(standIn))
        return standIn.first(5).toString();
    const std::optional<int> plus4 = of(real);
    if (!plus4)
        return standIn.toString();
    const std::optional<int> storedPlus4 = of(storedReal), standInPlus4 = of(standIn);
    if (storedPlus4 && standInPlus4)
        return withPlus4(standIn.first(5), *standInPlus4 + *plus4 - *storedPlus4);
    if (isFiveDigits(storedReal) && isFiveDigits(standIn))
        return withPlus4(standIn, secretOffset(standIn, key) + *plus4);
    return standIn.toString();
}

QString restored(QStringView found, QStringView storedReal, std::optional<int> standInPlus4, const ProjectKey &key)
{
    const std::optional<int> storedPlus4 = of(storedReal);
    if (isFiveDigits(found) && storedPlus4)
        return storedReal.first(5).toString();
    const std::optional<int> plus4 = of(found);
    if (!plus4)
        return storedReal.toString();
    if (storedPlus4 && standInPlus4)
        return withPlus4(storedReal.first(5), *storedPlus4 + *plus4 - *standInPlus4);
    if (isFiveDigits(storedReal) && !standInPlus4)
        return withPlus4(storedReal, *plus4 - secretOffset(found.first(5), key));
    return storedReal.toString();
}

} // namespace quorvane::zipPlus4
