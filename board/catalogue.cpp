#include "catalogue.h"

#include <array>

namespace board::catalogue {
namespace {

// Indexed by code - 1.
constexpr std::array<const char *, highestCode> verdicts = {
    " boat",  " tram",    " helecopter", " rocket",   " aeroplane", " steamer", " ship",
    " train", " tank",    " van",        " jeep",     " tempo",     " truck",   " tractor",
    " bus",   " scootor", "auto",        "rickshaw ", " bicycle",   "car",
};

// Groups 4 and 6 spell vehicle 18 "richshaw"; the entry stands for the rickshaw all the same.
const std::array<QStringList, groupCount> &groups()
{
    static const std::array<QStringList, groupCount> lists = {
        QStringList{"bicycle", "scootor", "tractor", "truck", "tempo", "tank", "train", "rocket",
                    "helecopter", "boat"},
        QStringList{"car", "auto", "bus", "truck", "tempo", "steamer", "aeroplane", "helecopter",
                    "tram"},
        QStringList{"car", "bicycle", "rickshaw", "bus", "tractor", "tank", "train", "ship",
                    "aeroplane", "rocket"},
        QStringList{"car", "bicycle", "richshaw", "auto", "scootor", "bus", "tractor", "truck",
                    "tempo", "van", "train", "ship", "steamer"},
        QStringList{"car", "bicycle", "rickshaw", "auto", "jeep", "scootor", "tempo", "tank"},
        QStringList{"car", "bicycle", "richshaw", "auto", "scootor", "bus", "tractor", "truck",
                    "jeep", "van"},
    };
    return lists;
}

} // namespace

double groupWeight(int group)
{
    return double(group);
}

std::optional<QString> verdictText(int code)
{
    if (code < lowestCode || code > highestCode)
        return std::nullopt;
    return QString::fromLatin1(verdicts[code - 1]);
}

QStringList groupList(int group)
{
    if (group < 1 || group > groupCount)
        return {};
    return groups()[group - 1];
}

QString catalogueText()
{
    return QStringLiteral("car\t  bicycle\t     rickshaw              auto\r\n"
                          "scootor      bus\t     tractor\t                 truck\r\n"
                          "tempo\t  jeep\t     van\t                 tank\r\n"
                          "train\t  ship\t     steamer               aeroplane\t\r\n"
                          "rocket\t  helecopter  tram\t\t boat\t\r\n");
}

} // namespace board::catalogue
