#include "shifts/WeeklyShiftRecord.h"

namespace WeeklyShiftRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

}
