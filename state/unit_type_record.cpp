// Groupings of unit types that the terrain tables and the rules use.
#include "state/unit_type_record.h"

int unitTypeGroup(const UnitTypeRecord& type)
{
    if (type.unitClass == 4)
        return 1;
    if (type.unitClass >= 13 && type.unitClass <= 18)
        return 2;
    if (type.movementType == 22 || type.movementType == 23)
        return 5;
    if (type.domain == 3)
        return 3;
    if (type.domain >= 4)
        return 4;
    return 0;
}

int movementGroup(int movementType)
{
    if (movementType < 0)
        return -1;
    if (movementType <= 2)
        return 0;
    if (movementType <= 8)
        return 1;
    if (movementType <= 13)
        return 2;
    if (movementType <= 16)
        return 3;
    if (movementType <= 21)
        return 4;
    if (movementType <= 23)
        return 5;
    return -1;
}
