#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The game's fixed data: twenty vehicles with codes 1 to 20, six groups with weights 1 to 6,
// and the texts the board shows. Every vehicle is listed in exactly the groups whose weights
// add up to its code, so the ticked weights name the vehicle the player has in mind.
namespace board::catalogue {

inline constexpr int groupCount = 6;
inline constexpr int lowestCode = 1;
inline constexpr int highestCode = 20;

// The weight of group k (1 to 6): k.
double groupWeight(int group);

// The message that names the vehicle with `code`, blanks included (" bicycle", "rickshaw ",
// "car"); nothing for a number that is no vehicle code.
std::optional<QString> verdictText(int code);

// The entries of group k's drop-down list (1 to 6), in the order the list shows them.
QStringList groupList(int group);

// The text of the catalogue box: the twenty names in five rows of four, highest code first.
QString catalogueText();

} // namespace board::catalogue
