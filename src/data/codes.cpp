#include "codes.h"

#include "apperror.h"
#include "textformat.h"

#include <limits>

namespace Codes {

int nextInCountry(qint64 country, qint64 existing)
{
    return TextFormat::joinCodes(country, existing + 1);
}

int nextSeason(qint64 competition, qint64 existing)
{
    const int joined = TextFormat::joinCodes(competition, existing);
    if (joined == std::numeric_limits<int>::max())
        throw invalidIntegerError(QString::number(qint64(joined) + 1));
    return joined + 1;
}

} // namespace Codes
